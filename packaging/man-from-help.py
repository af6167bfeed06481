#!/usr/bin/env python3
"""Writes a manual page in roff from a program's own --help, walking every subcommand, so that
the page lists every command and option the program has.

usage: man-from-help.py PROGRAM NAME SECTION OUTPUT [EXTRA.roff]
EXTRA is appended as it is (sections such as FILES, ENVIRONMENT, EXAMPLES)."""
import re
import subprocess
import sys
import tempfile

PROGRAM = NAME = ""


# The page is English: the program is run without the user's settings file, which may choose
# another language.
CONFIG_DIR = tempfile.TemporaryDirectory()


def run_help(program, words):
    result = subprocess.run([program, *words, "--help"], capture_output=True, text=True,
                            timeout=30, env={"QT_QPA_PLATFORM": "offscreen", "LANG": "C.UTF-8",
                                             "BRV3_CONFIG_DIR": CONFIG_DIR.name})
    if result.returncode != 0:
        sys.exit(f"{program} {' '.join(words)} --help failed: {result.stderr}")
    return result.stdout


def parse(text):
    """The help text as (description, usage, {section: [(term, text)]})."""
    description, usage, sections = [], "", {}
    current = None
    for line in text.splitlines():
        if line.startswith("Usage:"):
            usage = line[len("Usage:"):].strip()
            current = None
        elif re.match(r"^[A-Z][A-Za-z ]*:$", line):
            current = sections.setdefault(line[:-1], [])
        elif current is None:
            if line.strip():
                description.append(line.strip())
        elif re.match(r"^  \S", line):
            # "  term        text"; a long term pushes the text to the next line.
            parts = re.split(r"\s{2,}", line.strip(), maxsplit=1)
            current.append([parts[0], parts[1] if len(parts) > 1 else ""])
        elif line.strip() and current:
            # The program broke the text here itself (a table of choices): keep the break.
            current[-1][1] = (current[-1][1] + "\n" + line.strip()).strip()
    return " ".join(description), usage, sections


def roff(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return re.sub(r"^([.'])", r"\\&\1", text)


def term_roff(term):
    return "\\fB" + roff(term) + "\\fR"


def describe(program, words, out, depth):
    description, usage, sections = parse(run_help(program, words))
    if words:
        out.append(f".SS \"{roff(' '.join(words))}\"")
        if description:
            out.append(roff(description))
            out.append(".PP")
        out.append(".nf")
        out.append(roff(usage.replace(PROGRAM, NAME)))
        out.append(".fi")
    for name in ("Positionals", "Options"):
        entries = [e for e in sections.get(name, []) if not e[0].startswith("-h,--help")]
        if not entries:
            continue
        if words:
            out.append(".PP")
            out.append(f"\\fI{name}\\fR")
        for term, text in entries:
            out.append(".TP")
            out.append(term_roff(term))
            out.append("\n.br\n".join(roff(part) for part in text.split("\n")))
    return description, usage, sections.get("Subcommands", [])


def main():
    global PROGRAM, NAME
    program, name, section, output = sys.argv[1:5]
    PROGRAM, NAME = program, name
    extra = open(sys.argv[5], encoding="utf-8").read() if len(sys.argv) > 5 else ""
    out = [f".TH {name.upper()} {section} \"\" \"{name}\" \"User Commands\""]
    top = []
    description, usage, commands = describe(program, [], top, 0)
    summary = description.split(":", 1)[-1].strip().split(".")[0] or name
    out += [".SH NAME", f"{roff(name)} \\- {roff(summary)}", ".SH SYNOPSIS", ".nf",
            roff(usage.replace(program, name)), ".fi", ".SH DESCRIPTION", roff(description)]
    if top:
        out += [".SH OPTIONS"] + top
    if commands:
        out.append(".SH COMMANDS")
        pending = [[c[0]] for c in commands]
        while pending:
            words = pending.pop(0)
            _, _, sub = describe(program, words, out, len(words))
            pending[0:0] = [words + [c[0]] for c in sub]
    out.append(extra.rstrip("\n"))
    with open(output, "w", encoding="utf-8") as f:
        f.write("\n".join(line for line in out if line is not None) + "\n")


main()
