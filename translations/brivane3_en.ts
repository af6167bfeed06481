<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>BackupCommands</name>
    <message>
        <source>The folder %1 holds %2, which is not part of a backup; back up into a new or empty folder, or one that holds only a backup</source>
        <translation>The folder %1 holds %2, which is not part of a backup; back up into a new or empty folder, or one that holds only a backup</translation>
    </message>
    <message>
        <source>The folder %1 cannot be listed (%2); back up into a new or empty folder, or one that holds only a backup</source>
        <translation>The folder %1 cannot be listed (%2); back up into a new or empty folder, or one that holds only a backup</translation>
    </message>
    <message>
        <source>Cannot create the folder %1: %2</source>
        <translation>Cannot create the folder %1: %2</translation>
    </message>
    <message>
        <source>Removed %1, left behind by an earlier backup that was stopped</source>
        <translation>Removed %1, left behind by an earlier backup that was stopped</translation>
    </message>
    <message>
        <source>Stopped; %1 was left as it was</source>
        <translation>Stopped; %1 was left as it was</translation>
    </message>
    <message>
        <source>The board could not be put to sleep: %1</source>
        <translation>The board could not be put to sleep: %1</translation>
    </message>
    <message>
        <source>Reading the motion table failed at %1: %2</source>
        <translation>Reading the motion table failed at %1: %2</translation>
    </message>
    <message>
        <source>%1: the name bytes are not plain text; the chart file&apos;s name differs, restore uses the exact bytes</source>
        <translation>%1: the name bytes are not plain text; the chart file&apos;s name differs, restore uses the exact bytes</translation>
    </message>
    <message>
        <source>%1: %2; restore will refuse this backup</source>
        <translation>%1: %2; restore will refuse this backup</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 could not be read: %2</translation>
    </message>
    <message>
        <source>%1: the chart file %2 does not compile back to the board&apos;s steps (from step %3 on); restore uses the exact steps kept in the manifest</source>
        <translation>%1: the chart file %2 does not compile back to the board&apos;s steps (from step %3 on); restore uses the exact steps kept in the manifest</translation>
    </message>
    <message>
        <source>%1: the chart file %2 does not give back the board&apos;s motion list; restore uses the list kept in the manifest</source>
        <translation>%1: the chart file %2 does not give back the board&apos;s motion list; restore uses the list kept in the manifest</translation>
    </message>
    <message>
        <source>The board did not wake up again</source>
        <translation>The board did not wake up again</translation>
    </message>
    <message>
        <source>Cannot write the manifest: %1</source>
        <translation>Cannot write the manifest: %1</translation>
    </message>
    <message>
        <source>Cannot put the backup in place at %1: %2</source>
        <translation>Cannot put the backup in place at %1: %2</translation>
    </message>
    <message>
        <source>The older backup could not be removed; it stays at %1</source>
        <translation>The older backup could not be removed; it stays at %1</translation>
    </message>
    <message>
        <source>Backed up %1 motions and %2 scenarios to %3</source>
        <translation>Backed up %1 motions and %2 scenarios to %3</translation>
    </message>
</context>
<context>
    <name>BackupManifest</name>
    <message>
        <source>&quot;%1&quot; must be a whole number</source>
        <translation>&quot;%1&quot; must be a whole number</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be from %2 to %3</source>
        <translation>&quot;%1&quot; must be from %2 to %3</translation>
    </message>
    <message>
        <source>every entry must be an object</source>
        <translation>every entry must be an object</translation>
    </message>
    <message>
        <source>&quot;slot&quot; must be M1 ... M80 or S1 ... S5</source>
        <translation>&quot;slot&quot; must be M1 ... M80 or S1 ... S5</translation>
    </message>
    <message>
        <source>&quot;date&quot; must be four numbers</source>
        <translation>&quot;date&quot; must be four numbers</translation>
    </message>
    <message>
        <source>&quot;date&quot; must be four numbers from 0 to 255</source>
        <translation>&quot;date&quot; must be four numbers from 0 to 255</translation>
    </message>
    <message>
        <source>&quot;nameBytes&quot; must be at most 32 bytes in hexadecimal</source>
        <translation>&quot;nameBytes&quot; must be at most 32 bytes in hexadecimal</translation>
    </message>
    <message>
        <source>&quot;name&quot; or &quot;nameBytes&quot; is missing</source>
        <translation>&quot;name&quot; or &quot;nameBytes&quot; is missing</translation>
    </message>
    <message>
        <source>&quot;file&quot; must be a file name in the backup folder</source>
        <translation>&quot;file&quot; must be a file name in the backup folder</translation>
    </message>
    <message>
        <source>&quot;records&quot; must hold one record per step</source>
        <translation>&quot;records&quot; must hold one record per step</translation>
    </message>
    <message>
        <source>each record must be 49 bytes in hexadecimal</source>
        <translation>each record must be 49 bytes in hexadecimal</translation>
    </message>
    <message>
        <source>&quot;motions&quot; must hold one motion number per step</source>
        <translation>&quot;motions&quot; must hold one motion number per step</translation>
    </message>
    <message>
        <source>each motion number must be from 0 to 255</source>
        <translation>each motion number must be from 0 to 255</translation>
    </message>
    <message>
        <source>this is not a brivane3 backup manifest</source>
        <translation>this is not a brivane3 backup manifest</translation>
    </message>
    <message>
        <source>unknown manifest version</source>
        <translation>unknown manifest version</translation>
    </message>
    <message>
        <source>&quot;entries&quot; must be a list of at most 85 table entries</source>
        <translation>&quot;entries&quot; must be a list of at most 85 table entries</translation>
    </message>
    <message>
        <source>%1 appears twice</source>
        <translation>%1 appears twice</translation>
    </message>
</context>
<context>
    <name>BoardActions</name>
    <message>
        <source>Write to QVB-3</source>
        <translation>Write to QVB-3</translation>
    </message>
    <message>
        <source>Select QVB-3 memory location</source>
        <translation>Select QVB-3 memory location</translation>
    </message>
    <message>
        <source>Read from QVB-3</source>
        <translation>Read from QVB-3</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Select data to be deleted</source>
        <translation>Select data to be deleted</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Select the motion or scenario to play</source>
        <translation>Select the motion or scenario to play</translation>
    </message>
    <message>
        <source>Sleep on</source>
        <translation>Sleep on</translation>
    </message>
    <message>
        <source>%1 holds the continuation of %2 %3.<byte value="xd"/>
%2 will be deleted first. Do you agree with this</source>
        <translation>%1 holds the continuation of %2 %3.<byte value="xd"/>
%2 will be deleted first. Do you agree with this</translation>
    </message>
    <message>
        <source>Sleep off</source>
        <translation>Sleep off</translation>
    </message>
    <message>
        <source>Write successful</source>
        <translation>Write successful</translation>
    </message>
    <message>
        <source>No data</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>Read successful</source>
        <translation>Read successful</translation>
    </message>
    <message>
        <source>No Data</source>
        <translation>No Data</translation>
    </message>
    <message>
        <source>Read failed</source>
        <translation>Read failed</translation>
    </message>
    <message>
        <source>Reading succeeded</source>
        <translation>Reading succeeded</translation>
    </message>
    <message>
        <source>OK to delete?</source>
        <translation>OK to delete?</translation>
    </message>
    <message>
        <source>Delete successful</source>
        <translation>Delete successful</translation>
    </message>
    <message>
        <source>Sending the Play command</source>
        <translation>Sending the Play command</translation>
    </message>
    <message>
        <source>Write successful, but the board did not wake up (%1); it is still asleep</source>
        <translation>Write successful, but the board did not wake up (%1); it is still asleep</translation>
    </message>
</context>
<context>
    <name>BoardCommands</name>
    <message>
        <source>Serial port of the board: COMn or a device path</source>
        <translation>Serial port of the board: COMn or a device path</translation>
    </message>
    <message>
        <source>Answer the questions of a command with yes</source>
        <translation>Answer the questions of a command with yes</translation>
    </message>
</context>
<context>
    <name>BoardConfig</name>
    <message>
        <source>sleep mode</source>
        <translation>sleep mode</translation>
    </message>
    <message>
        <source>channel name %1</source>
        <translation>channel name %1</translation>
    </message>
    <message>
        <source>servo record %1</source>
        <translation>servo record %1</translation>
    </message>
    <message>
        <source>analog and transmitter settings</source>
        <translation>analog and transmitter settings</translation>
    </message>
    <message>
        <source>start motions</source>
        <translation>start motions</translation>
    </message>
    <message>
        <source>low-voltage setting</source>
        <translation>low-voltage setting</translation>
    </message>
</context>
<context>
    <name>BoardControlCommands</name>
    <message>
        <source>The board may have been left asleep</source>
        <translation>The board may have been left asleep</translation>
    </message>
    <message>
        <source>No	Name	Count	Date	Control</source>
        <translation>No	Name	Count	Date	Control</translation>
    </message>
    <message>
        <source>Print the board&apos;s version text (4 lines)</source>
        <translation>Print the board&apos;s version text (4 lines)</translation>
    </message>
    <message>
        <source>List the 85 entries of the board&apos;s motion table</source>
        <translation>List the 85 entries of the board&apos;s motion table</translation>
    </message>
    <message>
        <source>Play a motion (M1..M80) or scenario (S1..S5)</source>
        <translation>Play a motion (M1..M80) or scenario (S1..S5)</translation>
    </message>
    <message>
        <source>M1..M80 or S1..S5</source>
        <translation>M1..M80 or S1..S5</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not M1..M80 or S1..S5</source>
        <translation>&apos;%1&apos; is not M1..M80 or S1..S5</translation>
    </message>
    <message>
        <source>Playing</source>
        <translation>Playing</translation>
    </message>
    <message>
        <source>Stop playback</source>
        <translation>Stop playback</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>Pause playback, or resume it when paused</source>
        <translation>Pause playback, or resume it when paused</translation>
    </message>
    <message>
        <source>Pause toggled</source>
        <translation>Pause toggled</translation>
    </message>
    <message>
        <source>Put the board to sleep (on) or wake it (off)</source>
        <translation>Put the board to sleep (on) or wake it (off)</translation>
    </message>
    <message>
        <source>on or off</source>
        <translation>on or off</translation>
    </message>
    <message>
        <source>Sleep on</source>
        <translation>Sleep on</translation>
    </message>
    <message>
        <source>Sleep off</source>
        <translation>Sleep off</translation>
    </message>
</context>
<context>
    <name>BoardLink</name>
    <message>
        <source>%1 [Communication now]</source>
        <translation>%1 [Communication now]</translation>
    </message>
</context>
<context>
    <name>BoardPort</name>
    <message>
        <source>Name the board&apos;s serial port with --port COMn or --port /dev/...</source>
        <translation>Name the board&apos;s serial port with --port COMn or --port /dev/...</translation>
    </message>
    <message>
        <source>--port must be COMn or a device path, not &quot;%1&quot;</source>
        <translation>--port must be COMn or a device path, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Cannot open the serial port %1: %2</source>
        <translation>Cannot open the serial port %1: %2</translation>
    </message>
</context>
<context>
    <name>BoardWorkflowCommands</name>
    <message>
        <source>Board slot: M1 ... M80 or S1 ... S5</source>
        <translation>Board slot: M1 ... M80 or S1 ... S5</translation>
    </message>
    <message>
        <source>Write a chart file to a board slot, as the editor&apos;s Write button does</source>
        <translation>Write a chart file to a board slot, as the editor&apos;s Write button does</translation>
    </message>
    <message>
        <source>Chart file (.QVB)</source>
        <translation>Chart file (.QVB)</translation>
    </message>
    <message>
        <source>Read a board slot into a chart file</source>
        <translation>Read a board slot into a chart file</translation>
    </message>
    <message>
        <source>Chart file to write</source>
        <translation>Chart file to write</translation>
    </message>
    <message>
        <source>Delete a board slot (asks; --yes answers)</source>
        <translation>Delete a board slot (asks; --yes answers)</translation>
    </message>
    <message>
        <source>Save every motion and scenario of the board as chart files plus manifest.json</source>
        <translation>Save every motion and scenario of the board as chart files plus manifest.json</translation>
    </message>
    <message>
        <source>Backup folder (created when missing)</source>
        <translation>Backup folder (created when missing)</translation>
    </message>
    <message>
        <source>Write a backup folder back to the board</source>
        <translation>Write a backup folder back to the board</translation>
    </message>
    <message>
        <source>Backup folder</source>
        <translation>Backup folder</translation>
    </message>
    <message>
        <source>Post a window message (0x8000 play, 0x8001 select port) to the editor</source>
        <translation>Post a window message (0x8000 play, 0x8001 select port) to the editor</translation>
    </message>
    <message>
        <source>Message number, decimal or 0x hexadecimal</source>
        <translation>Message number, decimal or 0x hexadecimal</translation>
    </message>
    <message>
        <source>First parameter</source>
        <translation>First parameter</translation>
    </message>
    <message>
        <source>Second parameter</source>
        <translation>Second parameter</translation>
    </message>
</context>
<context>
    <name>CanvasEditor</name>
    <message>
        <source>Start and End objects must be different.</source>
        <translation>Start and End objects must be different.</translation>
    </message>
</context>
<context>
    <name>Chart</name>
    <message>
        <source>No title</source>
        <translation>No title</translation>
    </message>
</context>
<context>
    <name>ChartFileReader</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; is not a valid integer value</translation>
    </message>
</context>
<context>
    <name>ChartFiles</name>
    <message>
        <source>It can&apos;t be kept in the designated place</source>
        <translation>It can&apos;t be kept in the designated place</translation>
    </message>
    <message>
        <source>The designated file can&apos;t be used</source>
        <translation>The designated file can&apos;t be used</translation>
    </message>
    <message>
        <source>Do you prepared for the disappearance of all the present data?</source>
        <translation>Do you prepared for the disappearance of all the present data?</translation>
    </message>
    <message>
        <source>QVB file (*.QVB *.qvb);;AllFiles (*)</source>
        <translation>QVB file (*.QVB *.qvb);;AllFiles (*)</translation>
    </message>
    <message>
        <source>The file names more objects or wires than it holds</source>
        <translation>The file names more objects or wires than it holds</translation>
    </message>
    <message>
        <source>The designated file can&apos;t be used (%1)</source>
        <translation>The designated file can&apos;t be used (%1)</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Cannot open file &quot;%1&quot;. %2</translation>
    </message>
</context>
<context>
    <name>ChartHistory</name>
    <message>
        <source>Canvas size</source>
        <translation>Canvas size</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>Name and code</source>
        <translation>Name and code</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Add bend point</source>
        <translation>Add bend point</translation>
    </message>
    <message>
        <source>Delete bend point</source>
        <translation>Delete bend point</translation>
    </message>
    <message>
        <source>Open items</source>
        <translation>Open items</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Start flag</source>
        <translation>Start flag</translation>
    </message>
    <message>
        <source>Wiring</source>
        <translation>Wiring</translation>
    </message>
    <message>
        <source>Move bend point</source>
        <translation>Move bend point</translation>
    </message>
    <message>
        <source>Chart data</source>
        <translation>Chart data</translation>
    </message>
    <message>
        <source>Reverse wire</source>
        <translation>Reverse wire</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Pose</source>
        <translation>Pose</translation>
    </message>
</context>
<context>
    <name>CliLanguage</name>
    <message>
        <source>A subcommand is required</source>
        <translation>A subcommand is required</translation>
    </message>
    <message>
        <source>Requires at least %1 subcommands</source>
        <translation>Requires at least %1 subcommands</translation>
    </message>
    <message>
        <source>%1 is required</source>
        <translation>%1 is required</translation>
    </message>
    <message>
        <source>The following argument was not expected: %1</source>
        <translation>The following argument was not expected: %1</translation>
    </message>
    <message>
        <source>The following arguments were not expected: %1</source>
        <translation>The following arguments were not expected: %1</translation>
    </message>
    <message>
        <source>%1 requires %2</source>
        <translation>%1 requires %2</translation>
    </message>
    <message>
        <source>%1 excludes %2</source>
        <translation>%1 excludes %2</translation>
    </message>
    <message>
        <source>Could not convert: %1 = %2</source>
        <translation>Could not convert: %1 = %2</translation>
    </message>
    <message>
        <source>The value %1 is not an allowed value for %2</source>
        <translation>The value %1 is not an allowed value for %2</translation>
    </message>
    <message>
        <source>%1: %2 required %3 missing</source>
        <translation>%1: %2 required %3 missing</translation>
    </message>
    <message>
        <source>Expected exactly %1 arguments to %2, got %3</source>
        <translation>Expected exactly %1 arguments to %2, got %3</translation>
    </message>
    <message>
        <source>Expected at least %1 arguments to %2, got %3</source>
        <translation>Expected at least %1 arguments to %2, got %3</translation>
    </message>
    <message>
        <source>%1: %2 not in %3</source>
        <translation>%1: %2 not in %3</translation>
    </message>
    <message>
        <source>%1: Value %2 not in range %3 to %4</source>
        <translation>%1: Value %2 not in range %3 to %4</translation>
    </message>
    <message>
        <source>%1: Failed parsing %2 as a %3</source>
        <translation>%1: Failed parsing %2 as a %3</translation>
    </message>
    <message>
        <source>Usage</source>
        <translation>Usage</translation>
    </message>
    <message>
        <source>OPTIONS</source>
        <translation>OPTIONS</translation>
    </message>
    <message>
        <source>SUBCOMMAND</source>
        <translation>SUBCOMMAND</translation>
    </message>
    <message>
        <source>SUBCOMMANDS</source>
        <translation>SUBCOMMANDS</translation>
    </message>
    <message>
        <source>Positionals</source>
        <translation>Positionals</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>REQUIRED</source>
        <translation>REQUIRED</translation>
    </message>
    <message>
        <source>Needs</source>
        <translation>Needs</translation>
    </message>
    <message>
        <source>Excludes</source>
        <translation>Excludes</translation>
    </message>
    <message>
        <source>Print this help message and exit</source>
        <translation>Print this help message and exit</translation>
    </message>
    <message>
        <source>Subcommands</source>
        <translation>Subcommands</translation>
    </message>
    <message>
        <source>Run with --help for more information.</source>
        <translation>Run with --help for more information.</translation>
    </message>
</context>
<context>
    <name>CliMain</name>
    <message>
        <source>brivane3-cli: chart files and QVB-3 board work from a shell</source>
        <translation>brivane3-cli: chart files and QVB-3 board work from a shell</translation>
    </message>
    <message>
        <source>Display program version information and exit</source>
        <translation>Display program version information and exit</translation>
    </message>
</context>
<context>
    <name>CliPrompter</name>
    <message>
        <source> (OK: --yes)</source>
        <translation> (OK: --yes)</translation>
    </message>
    <message>
        <source> (cancelled: answer with --yes to go on)</source>
        <translation> (cancelled: answer with --yes to go on)</translation>
    </message>
    <message>
        <source> (yes: --yes)</source>
        <translation> (yes: --yes)</translation>
    </message>
    <message>
        <source> (no: answer with --yes to go on)</source>
        <translation> (no: answer with --yes to go on)</translation>
    </message>
</context>
<context>
    <name>CommX</name>
    <message>
        <source>The port is already open</source>
        <translation>The port is already open</translation>
    </message>
    <message>
        <source>Could not create the transmit thread</source>
        <translation>Could not create the transmit thread</translation>
    </message>
    <message>
        <source>Could not create the receive thread</source>
        <translation>Could not create the receive thread</translation>
    </message>
    <message>
        <source>An error occurred while setting the bit rate</source>
        <translation>An error occurred while setting the bit rate</translation>
    </message>
    <message>
        <source>An error occurred while setting the number of data bits</source>
        <translation>An error occurred while setting the number of data bits</translation>
    </message>
    <message>
        <source>An error occurred while setting the parity check</source>
        <translation>An error occurred while setting the parity check</translation>
    </message>
    <message>
        <source>An error occurred while setting the number of stop bits</source>
        <translation>An error occurred while setting the number of stop bits</translation>
    </message>
    <message>
        <source>Setting the flow control failed</source>
        <translation>Setting the flow control failed</translation>
    </message>
    <message>
        <source>An error occurred while setting the XON character</source>
        <translation>An error occurred while setting the XON character</translation>
    </message>
    <message>
        <source>An error occurred while setting the XOFF character</source>
        <translation>An error occurred while setting the XOFF character</translation>
    </message>
    <message>
        <source>Could not prepare the buffers of the port</source>
        <translation>Could not prepare the buffers of the port</translation>
    </message>
    <message>
        <source>Could not open the port: %1</source>
        <translation>Could not open the port: %1</translation>
    </message>
    <message>
        <source>the port is busy (another program is using it)</source>
        <translation>the port is busy (another program is using it)</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>no such device</translation>
    </message>
    <message>
        <source>permission denied (join the dialout group: sudo usermod -aG dialout $USER, then log in again)</source>
        <translation>permission denied (join the dialout group: sudo usermod -aG dialout $USER, then log in again)</translation>
    </message>
    <message>
        <source>not a serial device</source>
        <translation>not a serial device</translation>
    </message>
</context>
<context>
    <name>CompileCommand</name>
    <message>
        <source>note: %1</source>
        <translation>note: %1</translation>
    </message>
    <message>
        <source>Only the first 199 motions of this scenario can be written</source>
        <translation>Only the first 199 motions of this scenario can be written</translation>
    </message>
    <message>
        <source>The chart has no objects</source>
        <translation>The chart has no objects</translation>
    </message>
    <message>
        <source>A scenario chart has no curves</source>
        <translation>A scenario chart has no curves</translation>
    </message>
    <message>
        <source>Compile a chart file and print its listing (scenario: its motion list)</source>
        <translation>Compile a chart file and print its listing (scenario: its motion list)</translation>
    </message>
    <message>
        <source>Chart file (.QVB)</source>
        <translation>Chart file (.QVB)</translation>
    </message>
    <message>
        <source>Print the hexadecimal view of the steps instead of the listing</source>
        <translation>Print the hexadecimal view of the steps instead of the listing</translation>
    </message>
    <message>
        <source>Print each channel&apos;s servo position per step as CSV (step,kind,speed,CH1..CH24)</source>
        <translation>Print each channel&apos;s servo position per step as CSV (step,kind,speed,CH1..CH24)</translation>
    </message>
    <message>
        <source>Print the warnings worth a look before writing; exit 4 when any</source>
        <translation>Print the warnings worth a look before writing; exit 4 when any</translation>
    </message>
    <message>
        <source>With --check: also warn of joints beyond their limits and links hitting one another for this robot model (.urdf)</source>
        <translation>With --check: also warn of joints beyond their limits and links hitting one another for this robot model (.urdf)</translation>
    </message>
</context>
<context>
    <name>ConfigCommands</name>
    <message>
        <source>The board&apos;s configuration could not be read</source>
        <translation>The board&apos;s configuration could not be read</translation>
    </message>
    <message>
        <source>The trim could not be read (%1)</source>
        <translation>The trim could not be read (%1)</translation>
    </message>
    <message>
        <source>no section %1</source>
        <translation>no section %1</translation>
    </message>
    <message>
        <source>CH%1 is missing or not 0..65535</source>
        <translation>CH%1 is missing or not 0..65535</translation>
    </message>
    <message>
        <source>The trim was written to the stored copy, but the board did not wake up afterwards (%1); it is still asleep</source>
        <translation>The trim was written to the stored copy, but the board did not wake up afterwards (%1); it is still asleep</translation>
    </message>
    <message>
        <source>Loading the trim failed (%1)</source>
        <translation>Loading the trim failed (%1)</translation>
    </message>
    <message>
        <source>The board may have been left asleep</source>
        <translation>The board may have been left asleep</translation>
    </message>
    <message>
        <source>CH%1: %2 held at %3</source>
        <translation>CH%1: %2 held at %3</translation>
    </message>
    <message>
        <source>Print the board&apos;s stored configuration, or save it to a file or load it from one</source>
        <translation>Print the board&apos;s stored configuration, or save it to a file or load it from one</translation>
    </message>
    <message>
        <source>Print one JSON object</source>
        <translation>Print one JSON object</translation>
    </message>
    <message>
        <source>Write the configuration as JSON to FILE</source>
        <translation>Write the configuration as JSON to FILE</translation>
    </message>
    <message>
        <source>JSON file to write</source>
        <translation>JSON file to write</translation>
    </message>
    <message>
        <source>Write a saved configuration to the board&apos;s stored copies and read it back</source>
        <translation>Write a saved configuration to the board&apos;s stored copies and read it back</translation>
    </message>
    <message>
        <source>JSON file to read</source>
        <translation>JSON file to read</translation>
    </message>
    <message>
        <source>Change the channel masks without asking</source>
        <translation>Change the channel masks without asking</translation>
    </message>
    <message>
        <source>Print the 24 stored trim offsets, or load or save a trim file</source>
        <translation>Print the 24 stored trim offsets, or load or save a trim file</translation>
    </message>
    <message>
        <source>Write a trim file to the working and stored copies</source>
        <translation>Write a trim file to the working and stored copies</translation>
    </message>
    <message>
        <source>Trim file (.QVB)</source>
        <translation>Trim file (.QVB)</translation>
    </message>
    <message>
        <source>Write the stored trim as a trim file</source>
        <translation>Write the stored trim as a trim file</translation>
    </message>
    <message>
        <source>Trim file to write</source>
        <translation>Trim file to write</translation>
    </message>
</context>
<context>
    <name>ConfigJson</name>
    <message>
        <source>on</source>
        <translation>on</translation>
    </message>
    <message>
        <source>off</source>
        <translation>off</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Mode word: 0x%1</source>
        <translation>Mode word: 0x%1</translation>
    </message>
    <message>
        <source>Motion replay: %1</source>
        <translation>Motion replay: %1</translation>
    </message>
    <message>
        <source>Remote playback: %1</source>
        <translation>Remote playback: %1</translation>
    </message>
    <message>
        <source>ZLT-1: %1</source>
        <translation>ZLT-1: %1</translation>
    </message>
    <message>
        <source>Timebase: %1</source>
        <translation>Timebase: %1</translation>
    </message>
    <message>
        <source>Start switch motion: %1</source>
        <translation>Start switch motion: %1</translation>
    </message>
    <message>
        <source>Power-up motion: %1</source>
        <translation>Power-up motion: %1</translation>
    </message>
    <message>
        <source>Low power motion: %1</source>
        <translation>Low power motion: %1</translation>
    </message>
    <message>
        <source>Low voltage: %1</source>
        <translation>Low voltage: %1</translation>
    </message>
    <message>
        <source>Serial servo channels: %1</source>
        <translation>Serial servo channels: %1</translation>
    </message>
    <message>
        <source>SVL channels: %1</source>
        <translation>SVL channels: %1</translation>
    </message>
    <message>
        <source>Channel	Name	Trim offset</source>
        <translation>Channel	Name	Trim offset</translation>
    </message>
    <message>
        <source>Analog references: %1</source>
        <translation>Analog references: %1</translation>
    </message>
    <message>
        <source>AD%1 mixing: %2</source>
        <translation>AD%1 mixing: %2</translation>
    </message>
    <message>
        <source>Trigger %1: %2 at %3</source>
        <translation>Trigger %1: %2 at %3</translation>
    </message>
    <message>
        <source>Transmitter references: %1</source>
        <translation>Transmitter references: %1</translation>
    </message>
    <message>
        <source>(the file is not a JSON object)</source>
        <translation>(the file is not a JSON object)</translation>
    </message>
    <message>
        <source>Cannot read %1</source>
        <translation>Cannot read %1</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>%1: not valid JSON</source>
        <translation>%1: not valid JSON</translation>
    </message>
    <message>
        <source>%1: bad or missing value: %2</source>
        <translation>%1: bad or missing value: %2</translation>
    </message>
    <message>
        <source>The board&apos;s configuration could not be read</source>
        <translation>The board&apos;s configuration could not be read</translation>
    </message>
    <message>
        <source>The file changes the serial-servo or SVL channels; the board takes them at its next power-up. Write the configuration?</source>
        <translation>The file changes the serial-servo or SVL channels; the board takes them at its next power-up. Write the configuration?</translation>
    </message>
    <message>
        <source>Nothing was written</source>
        <translation>Nothing was written</translation>
    </message>
    <message>
        <source>Writing the configuration failed (%1)</source>
        <translation>Writing the configuration failed (%1)</translation>
    </message>
    <message>
        <source>The configuration could not be read back</source>
        <translation>The configuration could not be read back</translation>
    </message>
    <message>
        <source>Differs after writing: %1</source>
        <translation>Differs after writing: %1</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>Cannot write %1</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
</context>
<context>
    <name>ConnectionWatch</name>
    <message>
        <source>%1 OK</source>
        <translation>%1 OK</translation>
    </message>
    <message>
        <source>No Connection</source>
        <translation>No Connection</translation>
    </message>
    <message>
        <source>%1 lost</source>
        <translation>%1 lost</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Connection failed</translation>
    </message>
</context>
<context>
    <name>DisabledCollisions</name>
    <message>
        <source>the file is larger than %1 MB</source>
        <translation>the file is larger than %1 MB</translation>
    </message>
    <message>
        <source>elements nest more than %1 levels deep</source>
        <translation>elements nest more than %1 levels deep</translation>
    </message>
    <message>
        <source>not well-formed XML (%1)</source>
        <translation>not well-formed XML (%1)</translation>
    </message>
    <message>
        <source>no &lt;robot&gt; element</source>
        <translation>no &lt;robot&gt; element</translation>
    </message>
    <message>
        <source>&lt;disable_collisions&gt; needs link1 and link2</source>
        <translation>&lt;disable_collisions&gt; needs link1 and link2</translation>
    </message>
    <message>
        <source>&lt;disable_collisions&gt; names the unknown link &apos;%1&apos;</source>
        <translation>&lt;disable_collisions&gt; names the unknown link &apos;%1&apos;</translation>
    </message>
    <message>
        <source>cannot read the file (%1)</source>
        <translation>cannot read the file (%1)</translation>
    </message>
</context>
<context>
    <name>DurableFiles</name>
    <message>
        <source>write error (%1)</source>
        <translation>write error (%1)</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Chart file (.QVB), CSV motion file, or item file with --item-at</source>
        <translation>Chart file (.QVB), CSV motion file, or item file with --item-at</translation>
    </message>
    <message>
        <source>Read FILE as an item file placed at canvas point X Y</source>
        <translation>Read FILE as an item file placed at canvas point X Y</translation>
    </message>
    <message>
        <source>Read a chart, CSV motion or item file and print it as JSON</source>
        <translation>Read a chart, CSV motion or item file and print it as JSON</translation>
    </message>
    <message>
        <source>Read a chart, CSV motion or item file and save it as a chart file named exactly OUT</source>
        <translation>Read a chart, CSV motion or item file and save it as a chart file named exactly OUT</translation>
    </message>
    <message>
        <source>Chart file to write</source>
        <translation>Chart file to write</translation>
    </message>
</context>
<context>
    <name>Interpolation</name>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Number of new objects</source>
        <translation>Number of new objects</translation>
    </message>
    <message>
        <source>Number of new objects must be 1 to %1</source>
        <translation>Number of new objects must be 1 to %1</translation>
    </message>
</context>
<context>
    <name>JpegImage</name>
    <message>
        <source>the picture is too large (%1 x %2 pixels; at most 64 megapixels and 16384 on a side)</source>
        <translation>the picture is too large (%1 x %2 pixels; at most 64 megapixels and 16384 on a side)</translation>
    </message>
    <message>
        <source>it is not a JPEG picture</source>
        <translation>it is not a JPEG picture</translation>
    </message>
    <message>
        <source>it is not a BMP picture</source>
        <translation>it is not a BMP picture</translation>
    </message>
</context>
<context>
    <name>LinkCommand</name>
    <message>
        <source>Flow wiring error in CH%1</source>
        <translation>Flow wiring error in CH%1</translation>
    </message>
</context>
<context>
    <name>MainBoardButtons</name>
    <message>
        <source>Click to show where this happens</source>
        <translation>Click to show where this happens</translation>
    </message>
    <message>
        <source>note: %1</source>
        <translation>note: %1</translation>
    </message>
</context>
<context>
    <name>MessageCommand</name>
    <message>
        <source>No message socket path</source>
        <translation>No message socket path</translation>
    </message>
    <message>
        <source>no running editor</source>
        <translation>no running editor</translation>
    </message>
</context>
<context>
    <name>MessageDialogs</name>
    <message>
        <source>Copy command</source>
        <translation>Copy command</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copied</translation>
    </message>
    <message>
        <source>Please choose a number</source>
        <translation>Please choose a number</translation>
    </message>
</context>
<context>
    <name>MessageSocket</name>
    <message>
        <source>The message socket path is too long: %1</source>
        <translation>The message socket path is too long: %1</translation>
    </message>
    <message>
        <source>A message is three numbers: MSG W L</source>
        <translation>A message is three numbers: MSG W L</translation>
    </message>
    <message>
        <source>MSG must be a number from 0 to 0xFFFFFFFF, not &quot;%1&quot;</source>
        <translation>MSG must be a number from 0 to 0xFFFFFFFF, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 must be a number from -2147483648 to 0xFFFFFFFF, not &quot;%2&quot;</source>
        <translation>%1 must be a number from -2147483648 to 0xFFFFFFFF, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>no running editor</source>
        <translation>no running editor</translation>
    </message>
    <message>
        <source>Cannot reach the editor at %1: %2</source>
        <translation>Cannot reach the editor at %1: %2</translation>
    </message>
    <message>
        <source>The message socket %1 belongs to another user (uid %2); nothing was sent</source>
        <translation>The message socket %1 belongs to another user (uid %2); nothing was sent</translation>
    </message>
    <message>
        <source>The editor did not accept the message (it closed the connection; too many connections may be open)</source>
        <translation>The editor did not accept the message (it closed the connection; too many connections may be open)</translation>
    </message>
    <message>
        <source>Cannot send the message: %1</source>
        <translation>Cannot send the message: %1</translation>
    </message>
    <message>
        <source>The editor did not accept the message (no answer within %1 ms; it may be busy or too many connections are open); it may not arrive</source>
        <translation>The editor did not accept the message (no answer within %1 ms; it may be busy or too many connections are open); it may not arrive</translation>
    </message>
    <message>
        <source>The editor did not accept the message (%1)</source>
        <translation>The editor did not accept the message (%1)</translation>
    </message>
    <message>
        <source>%1 is in the way and is not this user&apos;s message socket</source>
        <translation>%1 is in the way and is not this user&apos;s message socket</translation>
    </message>
    <message>
        <source>Another editor already listens at %1</source>
        <translation>Another editor already listens at %1</translation>
    </message>
    <message>
        <source>Cannot create a socket: %1</source>
        <translation>Cannot create a socket: %1</translation>
    </message>
    <message>
        <source>Cannot listen at %1: %2</source>
        <translation>Cannot listen at %1: %2</translation>
    </message>
</context>
<context>
    <name>ModeWord</name>
    <message>
        <source>RUN</source>
        <translation>RUN</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>Sleep</translation>
    </message>
</context>
<context>
    <name>MotionChecks</name>
    <message>
        <source>Object &quot;%1&quot; is not reachable from the Start object and will not be written</source>
        <translation>Object &quot;%1&quot; is not reachable from the Start object and will not be written</translation>
    </message>
    <message>
        <source>Object &quot;%1&quot;: %2 outside the pulse-servo range (%3..%4)</source>
        <translation>Object &quot;%1&quot;: %2 outside the pulse-servo range (%3..%4)</translation>
    </message>
    <message>
        <source>Object &quot;%1&quot;: %2 outside the serial-servo range (%3..%4)</source>
        <translation>Object &quot;%1&quot;: %2 outside the serial-servo range (%3..%4)</translation>
    </message>
    <message>
        <source>Set &quot;%1&quot; jumps to %2, which the motion table shows empty</source>
        <translation>Set &quot;%1&quot; jumps to %2, which the motion table shows empty</translation>
    </message>
    <message>
        <source>Set &quot;%1&quot; calls %2, which the motion table shows empty</source>
        <translation>Set &quot;%1&quot; calls %2, which the motion table shows empty</translation>
    </message>
    <message>
        <source>Compare &quot;%1&quot; tests the loop counter, but no Set of the loop counter comes before it</source>
        <translation>Compare &quot;%1&quot; tests the loop counter, but no Set of the loop counter comes before it</translation>
    </message>
    <message>
        <source>The motion has %1 steps; the board holds %2 at most</source>
        <translation>The motion has %1 steps; the board holds %2 at most</translation>
    </message>
    <message>
        <source>The scenario has %1 motions; the board takes %2 at most</source>
        <translation>The scenario has %1 motions; the board takes %2 at most</translation>
    </message>
</context>
<context>
    <name>MotionCompiler</name>
    <message>
        <source>%1 Branch destination not defined</source>
        <translation>%1 Branch destination not defined</translation>
    </message>
    <message>
        <source>Flow wiring error in %1</source>
        <translation>Flow wiring error in %1</translation>
    </message>
    <message>
        <source>No Start object</source>
        <translation>No Start object</translation>
    </message>
    <message>
        <source>This motion has %1 steps; a motion of more than %2 steps cannot be written to the board</source>
        <translation>This motion has %1 steps; a motion of more than %2 steps cannot be written to the board</translation>
    </message>
    <message>
        <source>Compile successful</source>
        <translation>Compile successful</translation>
    </message>
    <message>
        <source>The MOT object %1 names no motion (M%2)</source>
        <translation>The MOT object %1 names no motion (M%2)</translation>
    </message>
    <message>
        <source>Scenario change succeeded</source>
        <translation>Scenario change succeeded</translation>
    </message>
</context>
<context>
    <name>MotionTable</name>
    <message>
        <source>%1 (not read)</source>
        <translation>%1 (not read)</translation>
    </message>
</context>
<context>
    <name>MotionTransfer</name>
    <message>
        <source>%1 is no motion slot; the motion slots are M1 to M80</source>
        <translation>%1 is no motion slot; the motion slots are M1 to M80</translation>
    </message>
    <message>
        <source>This motion has %1 steps; a motion of more than %2 steps cannot be written to the board</source>
        <translation>This motion has %1 steps; a motion of more than %2 steps cannot be written to the board</translation>
    </message>
    <message>
        <source>A motion of %1 steps written to %2 needs the slots up to M%3, but the last motion slot is M80</source>
        <translation>A motion of %1 steps written to %2 needs the slots up to M%3, but the last motion slot is M80</translation>
    </message>
    <message>
        <source>As the data to input are more than thirty<byte value="xd"/>
The data of %1 would be deleted. Do you agree with this</source>
        <translation>As the data to input are more than thirty<byte value="xd"/>
The data of %1 would be deleted. Do you agree with this</translation>
    </message>
    <message>
        <source>PCT is written</source>
        <translation>PCT is written</translation>
    </message>
    <message>
        <source>Writing of %1 is done</source>
        <translation>Writing of %1 is done</translation>
    </message>
    <message>
        <source>Reading of %1 is done</source>
        <translation>Reading of %1 is done</translation>
    </message>
    <message>
        <source>We can&apos;t write the motion data<byte value="xd"/>
more than 200. Please understand us.</source>
        <translation>We can&apos;t write the motion data<byte value="xd"/>
more than 200. Please understand us.</translation>
    </message>
</context>
<context>
    <name>Notifications</name>
    <message>
        <source>[%1]Playback is done</source>
        <translation>[%1]Playback is done</translation>
    </message>
</context>
<context>
    <name>ObjectDialogs</name>
    <message>
        <source>%1 Play%2interrupt trigger level%3change exceeds</source>
        <translation>%1 Play%2interrupt trigger level%3change exceeds</translation>
    </message>
    <message>
        <source>%1: no interrupt motion</source>
        <translation>%1: no interrupt motion</translation>
    </message>
    <message>
        <source>%1: plays %2 when the change exceeds %3</source>
        <translation>%1: plays %2 when the change exceeds %3</translation>
    </message>
    <message>
        <source>Capture FREE Servo Values</source>
        <translation>Capture FREE Servo Values</translation>
    </message>
    <message>
        <source>Set Loop Counter</source>
        <translation>Set Loop Counter</translation>
    </message>
    <message>
        <source>Set Comparison Register</source>
        <translation>Set Comparison Register</translation>
    </message>
    <message>
        <source>Set Sensor Reference Value</source>
        <translation>Set Sensor Reference Value</translation>
    </message>
    <message>
        <source>Timebase</source>
        <translation>Timebase</translation>
    </message>
    <message>
        <source>Sensor Control Enabled</source>
        <translation>Sensor Control Enabled</translation>
    </message>
    <message>
        <source>Jump</source>
        <translation>Jump</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Call Return</source>
        <translation>Call Return</translation>
    </message>
    <message>
        <source>Loop Counter &lt;&gt; 0</source>
        <translation>Loop Counter &lt;&gt; 0</translation>
    </message>
    <message>
        <source>AD1 Change &gt; Comparison Register</source>
        <translation>AD1 Change &gt; Comparison Register</translation>
    </message>
    <message>
        <source>AD2 Change &gt; Comparison Register</source>
        <translation>AD2 Change &gt; Comparison Register</translation>
    </message>
    <message>
        <source>AD3 Change &gt; Comparison Register</source>
        <translation>AD3 Change &gt; Comparison Register</translation>
    </message>
    <message>
        <source>PA1 Change &gt; Comparison Register</source>
        <translation>PA1 Change &gt; Comparison Register</translation>
    </message>
    <message>
        <source>PA2 Change &gt; Comparison Register</source>
        <translation>PA2 Change &gt; Comparison Register</translation>
    </message>
    <message>
        <source>PA3 Change &gt; Comparison Register</source>
        <translation>PA3 Change &gt; Comparison Register</translation>
    </message>
    <message>
        <source>PA4 Change &gt; Comparison Register</source>
        <translation>PA4 Change &gt; Comparison Register</translation>
    </message>
    <message>
        <source>Remote Code = Comparison Register</source>
        <translation>Remote Code = Comparison Register</translation>
    </message>
    <message>
        <source>Remote Code AND Comparison Register &lt;&gt; 0</source>
        <translation>Remote Code AND Comparison Register &lt;&gt; 0</translation>
    </message>
</context>
<context>
    <name>PatternActions</name>
    <message>
        <source>The name &quot;%1&quot; cannot be saved: it must not start or end with a blank, start with &quot;;&quot;, contain &quot;=&quot; or characters outside Shift-JIS.</source>
        <translation>The name &quot;%1&quot; cannot be saved: it must not start or end with a blank, start with &quot;;&quot;, contain &quot;=&quot; or characters outside Shift-JIS.</translation>
    </message>
    <message>
        <source>Input the name</source>
        <translation>Input the name</translation>
    </message>
    <message>
        <source>%1Do you delete this?</source>
        <translation>%1Do you delete this?</translation>
    </message>
    <message>
        <source>The file could not be read: %1</source>
        <translation>The file could not be read: %1</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>The file could not be written: %1</translation>
    </message>
    <message>
        <source>The file holds no link settings.</source>
        <translation>The file holds no link settings.</translation>
    </message>
    <message>
        <source>The file holds no conversion settings.</source>
        <translation>The file holds no conversion settings.</translation>
    </message>
    <message>
        <source>The link &quot;%1&quot; holds %2 entries instead of 24.</source>
        <translation>The link &quot;%1&quot; holds %2 entries instead of 24.</translation>
    </message>
    <message>
        <source>The conversion &quot;%1&quot; holds %2 entries instead of 24.</source>
        <translation>The conversion &quot;%1&quot; holds %2 entries instead of 24.</translation>
    </message>
    <message>
        <source>A setting of the same name exists. Overwrite it?</source>
        <translation>A setting of the same name exists. Overwrite it?</translation>
    </message>
</context>
<context>
    <name>PatternStore</name>
    <message>
        <source>New Link</source>
        <translation>New Link</translation>
    </message>
    <message>
        <source>the settings file could not be read before, so it is not overwritten</source>
        <translation>the settings file could not be read before, so it is not overwritten</translation>
    </message>
</context>
<context>
    <name>PortAccess</name>
    <message>
        <source>permission denied: %1 is open to its owner only; a udev rule must give it to the dialout group (GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot;)</source>
        <translation>permission denied: %1 is open to its owner only; a udev rule must give it to the dialout group (GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot;)</translation>
    </message>
    <message>
        <source>permission denied: %1 belongs to group %2, which you are not in. Join it with &quot;%3&quot;, then log out and in again</source>
        <translation>permission denied: %1 belongs to group %2, which you are not in. Join it with &quot;%3&quot;, then log out and in again</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>no such device</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>permission denied (group %1)</source>
        <translation>permission denied (group %1)</translation>
    </message>
</context>
<context>
    <name>PortEntries</name>
    <message>
        <source>USB serial adapter</source>
        <translation>USB serial adapter</translation>
    </message>
</context>
<context>
    <name>PortsCommand</name>
    <message>
        <source>ENTRY</source>
        <translation>ENTRY</translation>
    </message>
    <message>
        <source>STATE</source>
        <translation>STATE</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>List the serial ports the editor&apos;s port list offers, and whether you can open them</source>
        <translation>List the serial ports the editor&apos;s port list offers, and whether you can open them</translation>
    </message>
    <message>
        <source>Print a JSON array</source>
        <translation>Print a JSON array</translation>
    </message>
    <message>
        <source>Print only the values --port takes, one a line</source>
        <translation>Print only the values --port takes, one a line</translation>
    </message>
</context>
<context>
    <name>PoseCommands</name>
    <message>
        <source>servo takes pairs of CH VALUE</source>
        <translation>servo takes pairs of CH VALUE</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a channel 1..24</source>
        <translation>&apos;%1&apos; is not a channel 1..24</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a servo value (-16383..16383, free, h or l)</source>
        <translation>&apos;%1&apos; is not a servo value (-16383..16383, free, h or l)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a Position object</source>
        <translation>&apos;%1&apos; is not a Position object</translation>
    </message>
    <message>
        <source>There is no object &apos;%1&apos; in %2</source>
        <translation>There is no object &apos;%1&apos; in %2</translation>
    </message>
    <message>
        <source>The board&apos;s reply could not be used</source>
        <translation>The board&apos;s reply could not be used</translation>
    </message>
    <message>
        <source>The board did not answer (%1)</source>
        <translation>The board did not answer (%1)</translation>
    </message>
    <message>
        <source>The board did not answer (%1); it may have been left asleep</source>
        <translation>The board did not answer (%1); it may have been left asleep</translation>
    </message>
    <message>
        <source>The names of channels %1 could not be read (%2)</source>
        <translation>The names of channels %1 could not be read (%2)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not N=TEXT with a channel N of 1..24</source>
        <translation>&apos;%1&apos; is not N=TEXT with a channel N of 1..24</translation>
    </message>
    <message>
        <source>--rows needs exactly 24 entries, found %1</source>
        <translation>--rows needs exactly 24 entries, found %1</translation>
    </message>
    <message>
        <source>There is no conversion &apos;%1&apos; in PATTERN.ini</source>
        <translation>There is no conversion &apos;%1&apos; in PATTERN.ini</translation>
    </message>
    <message>
        <source>Send live servo words: CH VALUE pairs, VALUE an offset from the centre (-16383..16383) or free, h, l</source>
        <translation>Send live servo words: CH VALUE pairs, VALUE an offset from the centre (-16383..16383) or free, h, l</translation>
    </message>
    <message>
        <source>Channel 1..24 and its value</source>
        <translation>Channel 1..24 and its value</translation>
    </message>
    <message>
        <source>The board&apos;s live pose: get, set, home, trim, set-home</source>
        <translation>The board&apos;s live pose: get, set, home, trim, set-home</translation>
    </message>
    <message>
        <source>Print the live pose as speed and 24 words</source>
        <translation>Print the live pose as speed and 24 words</translation>
    </message>
    <message>
        <source>Send a Position object&apos;s pose, as Write pose does</source>
        <translation>Send a Position object&apos;s pose, as Write pose does</translation>
    </message>
    <message>
        <source>Store a Position object&apos;s words as the home position</source>
        <translation>Store a Position object&apos;s words as the home position</translation>
    </message>
    <message>
        <source>Chart file (.QVB)</source>
        <translation>Chart file (.QVB)</translation>
    </message>
    <message>
        <source>Name of the Position object</source>
        <translation>Name of the Position object</translation>
    </message>
    <message>
        <source>Send the robot to its home position</source>
        <translation>Send the robot to its home position</translation>
    </message>
    <message>
        <source>Send the robot to its trim position</source>
        <translation>Send the robot to its trim position</translation>
    </message>
    <message>
        <source>Print the 24 channel names, or set some with --set</source>
        <translation>Print the 24 channel names, or set some with --set</translation>
    </message>
    <message>
        <source>N=TEXT: name channel N (1..24)</source>
        <translation>N=TEXT: name channel N (1..24)</translation>
    </message>
    <message>
        <source>Apply a conversion to the Position, Set and Mix objects of a chart file</source>
        <translation>Apply a conversion to the Position, Set and Mix objects of a chart file</translation>
    </message>
    <message>
        <source>Chart file to read</source>
        <translation>Chart file to read</translation>
    </message>
    <message>
        <source>Chart file to write</source>
        <translation>Chart file to write</translation>
    </message>
    <message>
        <source>A conversion saved in PATTERN.ini</source>
        <translation>A conversion saved in PATTERN.ini</translation>
    </message>
    <message>
        <source>The 24 conversion entries as comma text</source>
        <translation>The 24 conversion entries as comma text</translation>
    </message>
    <message>
        <source>Comma list of object names (default: every object)</source>
        <translation>Comma list of object names (default: every object)</translation>
    </message>
    <message>
        <source>transform needs --conversion NAME or --rows TEXT</source>
        <translation>transform needs --conversion NAME or --rows TEXT</translation>
    </message>
</context>
<context>
    <name>PrivateDisplay</name>
    <message>
        <source>cannot make a pipe: %1</source>
        <translation>cannot make a pipe: %1</translation>
    </message>
    <message>
        <source>cannot start Xvfb: %1</source>
        <translation>cannot start Xvfb: %1</translation>
    </message>
    <message>
        <source>cannot start a private X server (Xvfb): is the xvfb package installed?</source>
        <translation>cannot start a private X server (Xvfb): is the xvfb package installed?</translation>
    </message>
</context>
<context>
    <name>RenderCommand</name>
    <message>
        <source>Draw the robot in a pose of a motion chart into a PNG file: --robot FILE.urdf CHART.QVB [--step N | --time SECONDS] [--view front|side|top] [--size WxH] -o OUT.png</source>
        <translation>Draw the robot in a pose of a motion chart into a PNG file: --robot FILE.urdf CHART.QVB [--step N | --time SECONDS] [--view front|side|top] [--size WxH] -o OUT.png</translation>
    </message>
    <message>
        <source>render needs the editor program %1, found neither beside brivane3-cli nor in PATH</source>
        <translation>render needs the editor program %1, found neither beside brivane3-cli nor in PATH</translation>
    </message>
    <message>
        <source>cannot start %1</source>
        <translation>cannot start %1</translation>
    </message>
    <message>
        <source>brivane3 --render: draw the robot in a pose of a motion chart into a PNG file</source>
        <translation>brivane3 --render: draw the robot in a pose of a motion chart into a PNG file</translation>
    </message>
    <message>
        <source>Render instead of starting the editor</source>
        <translation>Render instead of starting the editor</translation>
    </message>
    <message>
        <source>Robot description (.urdf)</source>
        <translation>Robot description (.urdf)</translation>
    </message>
    <message>
        <source>Motion chart file (.QVB)</source>
        <translation>Motion chart file (.QVB)</translation>
    </message>
    <message>
        <source>Show the pose after step N (default 1)</source>
        <translation>Show the pose after step N (default 1)</translation>
    </message>
    <message>
        <source>Show the preview at SECONDS after Play</source>
        <translation>Show the preview at SECONDS after Play</translation>
    </message>
    <message>
        <source>front, side or top</source>
        <translation>front, side or top</translation>
    </message>
    <message>
        <source>Image size WxH (default 640x480)</source>
        <translation>Image size WxH (default 640x480)</translation>
    </message>
    <message>
        <source>The PNG file to write</source>
        <translation>The PNG file to write</translation>
    </message>
    <message>
        <source>--size takes WIDTHxHEIGHT, for example 640x480</source>
        <translation>--size takes WIDTHxHEIGHT, for example 640x480</translation>
    </message>
    <message>
        <source>--size: each side must be 16 to 4096 pixels</source>
        <translation>--size: each side must be 16 to 4096 pixels</translation>
    </message>
    <message>
        <source>cannot read the chart %1</source>
        <translation>cannot read the chart %1</translation>
    </message>
    <message>
        <source>a scenario chart has no poses to show: give a motion chart</source>
        <translation>a scenario chart has no poses to show: give a motion chart</translation>
    </message>
    <message>
        <source>the chart has no objects</source>
        <translation>the chart has no objects</translation>
    </message>
    <message>
        <source>the chart does not compile: %1</source>
        <translation>the chart does not compile: %1</translation>
    </message>
    <message>
        <source>step %1 is never played (the motion has %2 steps)</source>
        <translation>step %1 is never played (the motion has %2 steps)</translation>
    </message>
    <message>
        <source>cannot draw the robot: %1</source>
        <translation>cannot draw the robot: %1</translation>
    </message>
    <message>
        <source>cannot encode the image</source>
        <translation>cannot encode the image</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
</context>
<context>
    <name>RestoreCommand</name>
    <message>
        <source>%1: %2 cannot be read; the steps kept in the manifest are written</source>
        <translation>%1: %2 cannot be read; the steps kept in the manifest are written</translation>
    </message>
    <message>
        <source>%1: %2 differs from the backed-up steps from step %3 on; the steps kept in the manifest are written</source>
        <translation>%1: %2 differs from the backed-up steps from step %3 on; the steps kept in the manifest are written</translation>
    </message>
    <message>
        <source>%1: %2 differs from the backed-up motion list from step %3 on; the list kept in the manifest is written</source>
        <translation>%1: %2 differs from the backed-up motion list from step %3 on; the list kept in the manifest is written</translation>
    </message>
    <message>
        <source>Cannot read %1</source>
        <translation>Cannot read %1</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>not valid JSON</source>
        <translation>not valid JSON</translation>
    </message>
    <message>
        <source>The board did not wake up again</source>
        <translation>The board did not wake up again</translation>
    </message>
    <message>
        <source>%1 slots read back differently from the backup</source>
        <translation>%1 slots read back differently from the backup</translation>
    </message>
    <message>
        <source>Every slot was restored and read back the same, but the board did not wake up afterwards (%1); it is still asleep and config.json was not loaded</source>
        <translation>Every slot was restored and read back the same, but the board did not wake up afterwards (%1); it is still asleep and config.json was not loaded</translation>
    </message>
    <message>
        <source>Every slot was restored and read back the same, but the board did not wake up afterwards (%1); it is still asleep</source>
        <translation>Every slot was restored and read back the same, but the board did not wake up afterwards (%1); it is still asleep</translation>
    </message>
    <message>
        <source>Restored %1 table entries from %2</source>
        <translation>Restored %1 table entries from %2</translation>
    </message>
</context>
<context>
    <name>RestoreSequence</name>
    <message>
        <source>Emptying the table entry of %1 failed</source>
        <translation>Emptying the table entry of %1 failed</translation>
    </message>
    <message>
        <source>Reading the table entry of %1 failed: %2</source>
        <translation>Reading the table entry of %1 failed: %2</translation>
    </message>
    <message>
        <source>%1 %2 reached into the restored slots; its entry was emptied</source>
        <translation>%1 %2 reached into the restored slots; its entry was emptied</translation>
    </message>
    <message>
        <source>Writing step %1 of %2 failed</source>
        <translation>Writing step %1 of %2 failed</translation>
    </message>
    <message>
        <source>Writing %1 failed</source>
        <translation>Writing %1 failed</translation>
    </message>
    <message>
        <source>Writing the table entry of %1 failed</source>
        <translation>Writing the table entry of %1 failed</translation>
    </message>
    <message>
        <source>Reading back step %1 of %2 failed</source>
        <translation>Reading back step %1 of %2 failed</translation>
    </message>
    <message>
        <source>%1: step %2 reads back differently</source>
        <translation>%1: step %2 reads back differently</translation>
    </message>
    <message>
        <source>Reading back the table entry of %1 failed</source>
        <translation>Reading back the table entry of %1 failed</translation>
    </message>
    <message>
        <source>%1: the table entry reads back differently</source>
        <translation>%1: the table entry reads back differently</translation>
    </message>
    <message>
        <source>The board could not be put to sleep: %1</source>
        <translation>The board could not be put to sleep: %1</translation>
    </message>
</context>
<context>
    <name>RobotChecks</name>
    <message>
        <source>start</source>
        <translation>start</translation>
    </message>
    <message>
        <source>step %1 (%2)</source>
        <translation>step %1 (%2)</translation>
    </message>
    <message>
        <source>%1: CH%2 %3 at %4 m is beyond its limit %5..%6 m</source>
        <translation>%1: CH%2 %3 at %4 m is beyond its limit %5..%6 m</translation>
    </message>
    <message>
        <source>%1: CH%2 %3 at %4 rad is beyond its limit %5..%6 rad</source>
        <translation>%1: CH%2 %3 at %4 rad is beyond its limit %5..%6 rad</translation>
    </message>
    <message>
        <source>%1 hits %2 (depth %3)</source>
        <translation>%1 hits %2 (depth %3)</translation>
    </message>
    <message>
        <source>1 mesh collision shape was left out of the self-collision check</source>
        <translation>1 mesh collision shape was left out of the self-collision check</translation>
    </message>
    <message>
        <source>%1 mesh collision shapes were left out of the self-collision check</source>
        <translation>%1 mesh collision shapes were left out of the self-collision check</translation>
    </message>
    <message>
        <source>%1 -&gt; %2, at %3 s: %4</source>
        <translation>%1 -&gt; %2, at %3 s: %4</translation>
    </message>
</context>
<context>
    <name>RobotCommand</name>
    <message>
        <source>robot %1: %2 links, %3 joints, %4 channels</source>
        <translation>robot %1: %2 links, %3 joints, %4 channels</translation>
    </message>
    <message>
        <source>Read a robot description (URDF) and list which channel drives which joint</source>
        <translation>Read a robot description (URDF) and list which channel drives which joint</translation>
    </message>
    <message>
        <source>Robot description (.urdf)</source>
        <translation>Robot description (.urdf)</translation>
    </message>
</context>
<context>
    <name>RobotModel</name>
    <message>
        <source>transmission &apos;%1&apos; is of type &apos;%2&apos;; only simple transmissions (one joint, one actuator) can map a channel</source>
        <translation>transmission &apos;%1&apos; is of type &apos;%2&apos;; only simple transmissions (one joint, one actuator) can map a channel</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos; needs exactly one &lt;joint&gt;</source>
        <translation>transmission &apos;%1&apos; needs exactly one &lt;joint&gt;</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos; needs exactly one &lt;actuator&gt;</source>
        <translation>transmission &apos;%1&apos; needs exactly one &lt;actuator&gt;</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos; names joint &apos;%2&apos;, which the robot does not have</source>
        <translation>transmission &apos;%1&apos; names joint &apos;%2&apos;, which the robot does not have</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos; drives joint &apos;%2&apos;, which cannot move (fixed, floating or planar)</source>
        <translation>transmission &apos;%1&apos; drives joint &apos;%2&apos;, which cannot move (fixed, floating or planar)</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos;: actuator name &apos;%2&apos; is not a servo channel CH1 .. CH24</source>
        <translation>transmission &apos;%1&apos;: actuator name &apos;%2&apos; is not a servo channel CH1 .. CH24</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos;: mechanicalReduction &apos;%2&apos; is not a non-zero number</source>
        <translation>transmission &apos;%1&apos;: mechanicalReduction &apos;%2&apos; is not a non-zero number</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos;: offset &apos;%2&apos; is not a number</source>
        <translation>transmission &apos;%1&apos;: offset &apos;%2&apos; is not a number</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos; maps CH%2, which the transmission at line %3 already maps to joint &apos;%4&apos;</source>
        <translation>transmission &apos;%1&apos; maps CH%2, which the transmission at line %3 already maps to joint &apos;%4&apos;</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos; drives joint &apos;%2&apos;, which CH%3 already drives (line %4)</source>
        <translation>transmission &apos;%1&apos; drives joint &apos;%2&apos;, which CH%3 already drives (line %4)</translation>
    </message>
    <message>
        <source>the robot description is larger than %1 MB</source>
        <translation>the robot description is larger than %1 MB</translation>
    </message>
    <message>
        <source>elements nest more than %1 levels deep</source>
        <translation>elements nest more than %1 levels deep</translation>
    </message>
    <message>
        <source>not well-formed XML (%1)</source>
        <translation>not well-formed XML (%1)</translation>
    </message>
    <message>
        <source>no &lt;robot&gt; element: this is not a robot description</source>
        <translation>no &lt;robot&gt; element: this is not a robot description</translation>
    </message>
    <message>
        <source>the robot description cannot be read</source>
        <translation>the robot description cannot be read</translation>
    </message>
    <message>
        <source>the robot has %1 links; at most %2 can be shown</source>
        <translation>the robot has %1 links; at most %2 can be shown</translation>
    </message>
    <message>
        <source>the file is larger than %1 MB; a robot description never is</source>
        <translation>the file is larger than %1 MB; a robot description never is</translation>
    </message>
    <message>
        <source>cannot read the file (%1)</source>
        <translation>cannot read the file (%1)</translation>
    </message>
</context>
<context>
    <name>RobotRender</name>
    <message>
        <source>the 3D stage could not be loaded</source>
        <translation>the 3D stage could not be loaded</translation>
    </message>
    <message>
        <source>OpenGL could not draw the scene</source>
        <translation>OpenGL could not draw the scene</translation>
    </message>
</context>
<context>
    <name>RuntimeDir</name>
    <message>
        <source>%1; it is not private to this user, so the program keeps no lock or message socket there</source>
        <translation>%1; it is not private to this user, so the program keeps no lock or message socket there</translation>
    </message>
    <message>
        <source>The folder %1 cannot be made (%2)</source>
        <translation>The folder %1 cannot be made (%2)</translation>
    </message>
    <message>
        <source>The folder %1 cannot be examined (%2)</source>
        <translation>The folder %1 cannot be examined (%2)</translation>
    </message>
    <message>
        <source>The folder %1 is a symbolic link</source>
        <translation>The folder %1 is a symbolic link</translation>
    </message>
    <message>
        <source>The folder %1 is not a folder</source>
        <translation>The folder %1 is not a folder</translation>
    </message>
    <message>
        <source>The folder %1 belongs to another user (uid %2)</source>
        <translation>The folder %1 belongs to another user (uid %2)</translation>
    </message>
    <message>
        <source>The folder %1 has mode %2, not 0700</source>
        <translation>The folder %1 has mode %2, not 0700</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>it is a folder</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>it is a FIFO</source>
        <translation>it is a FIFO</translation>
    </message>
    <message>
        <source>it is a device</source>
        <translation>it is a device</translation>
    </message>
    <message>
        <source>it is a socket</source>
        <translation>it is a socket</translation>
    </message>
    <message>
        <source>it is a file, not a folder</source>
        <translation>it is a file, not a folder</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>the file is read-only</translation>
    </message>
    <message>
        <source>write error (disk full?)</source>
        <translation>write error (disk full?)</translation>
    </message>
    <message>
        <source>it is larger than 256 MB</source>
        <translation>it is larger than 256 MB</translation>
    </message>
    <message>
        <source>read error</source>
        <translation>read error</translation>
    </message>
    <message>
        <source>it cannot be replaced as a whole</source>
        <translation>it cannot be replaced as a whole</translation>
    </message>
    <message>
        <source>already there</source>
        <translation>already there</translation>
    </message>
    <message>
        <source>nothing to put in place</source>
        <translation>nothing to put in place</translation>
    </message>
    <message>
        <source>the new folder could not be moved in place</source>
        <translation>the new folder could not be moved in place</translation>
    </message>
    <message>
        <source>the old folder could not be moved aside</source>
        <translation>the old folder could not be moved aside</translation>
    </message>
    <message>
        <source>the new folder could not be moved in place and the old one stays at %1</source>
        <translation>the new folder could not be moved in place and the old one stays at %1</translation>
    </message>
    <message>
        <source>the new folder could not be moved in place; the old one is back</source>
        <translation>the new folder could not be moved in place; the old one is back</translation>
    </message>
</context>
<context>
    <name>SelectPort</name>
    <message>
        <source>No Connection</source>
        <translation>No Connection</translation>
    </message>
    <message>
        <source>%1 OK</source>
        <translation>%1 OK</translation>
    </message>
    <message>
        <source>%1 can&apos;t be opened: permission denied</source>
        <translation>%1 can&apos;t be opened: permission denied</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 does not exist</translation>
    </message>
</context>
<context>
    <name>SelfCollision</name>
    <message>
        <source>%1: package paths are not looked up</source>
        <translation>%1: package paths are not looked up</translation>
    </message>
    <message>
        <source>%1: only STL meshes are read</source>
        <translation>%1: only STL meshes are read</translation>
    </message>
    <message>
        <source>%1: not read, the robot was not read from a file</source>
        <translation>%1: not read, the robot was not read from a file</translation>
    </message>
</context>
<context>
    <name>SensorCommands</name>
    <message>
        <source>The board did not answer (analog report not switched on)</source>
        <translation>The board did not answer (analog report not switched on)</translation>
    </message>
    <message>
        <source>The board did not answer (receiver report not switched on)</source>
        <translation>The board did not answer (receiver report not switched on)</translation>
    </message>
    <message>
        <source>The serial port is gone; the board may still be sending its reports</source>
        <translation>The serial port is gone; the board may still be sending its reports</translation>
    </message>
    <message>
        <source>The board did not answer (the reports may still be on)</source>
        <translation>The board did not answer (the reports may still be on)</translation>
    </message>
    <message>
        <source>The board&apos;s reply could not be used</source>
        <translation>The board&apos;s reply could not be used</translation>
    </message>
    <message>
        <source>Print the analog and remote-control reports as they arrive (Ctrl+C stops)</source>
        <translation>Print the analog and remote-control reports as they arrive (Ctrl+C stops)</translation>
    </message>
    <message>
        <source>Stop after N reports (0: until interrupted)</source>
        <translation>Stop after N reports (0: until interrupted)</translation>
    </message>
    <message>
        <source>Print the stored analog-input settings as JSON</source>
        <translation>Print the stored analog-input settings as JSON</translation>
    </message>
    <message>
        <source>Print the stored transmitter references as JSON</source>
        <translation>Print the stored transmitter references as JSON</translation>
    </message>
</context>
<context>
    <name>SensorDialogs</name>
    <message>
        <source>Connection failed</source>
        <translation>Connection failed</translation>
    </message>
</context>
<context>
    <name>ServoList</name>
    <message>
        <source>Reboot the QVB-3 to change to mode</source>
        <translation>Reboot the QVB-3 to change to mode</translation>
    </message>
</context>
<context>
    <name>ServoRecord</name>
    <message>
        <source>1 (SOFT)</source>
        <translation>1 (SOFT)</translation>
    </message>
    <message>
        <source>3 (MID)</source>
        <translation>3 (MID)</translation>
    </message>
    <message>
        <source>5 (HARD)</source>
        <translation>5 (HARD)</translation>
    </message>
    <message>
        <source>1 (SLOW)</source>
        <translation>1 (SLOW)</translation>
    </message>
    <message>
        <source>2 (MID)</source>
        <translation>2 (MID)</translation>
    </message>
    <message>
        <source>3 (FAST)</source>
        <translation>3 (FAST)</translation>
    </message>
    <message>
        <source>1 (LOW)</source>
        <translation>1 (LOW)</translation>
    </message>
    <message>
        <source>10 (HIGH)</source>
        <translation>10 (HIGH)</translation>
    </message>
    <message>
        <source>1 (MIN)</source>
        <translation>1 (MIN)</translation>
    </message>
    <message>
        <source>5 (MAX)</source>
        <translation>5 (MAX)</translation>
    </message>
    <message>
        <source>10 (MAX)</source>
        <translation>10 (MAX)</translation>
    </message>
    <message>
        <source>1 (FAST)</source>
        <translation>1 (FAST)</translation>
    </message>
    <message>
        <source>3 (SLOW)</source>
        <translation>3 (SLOW)</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Servo</source>
        <translation>Servo</translation>
    </message>
    <message>
        <source>Stretch1</source>
        <translation>Stretch1</translation>
    </message>
    <message>
        <source>Speed1</source>
        <translation>Speed1</translation>
    </message>
    <message>
        <source>Stretch2</source>
        <translation>Stretch2</translation>
    </message>
    <message>
        <source>Speed2</source>
        <translation>Speed2</translation>
    </message>
    <message>
        <source>Stretch3</source>
        <translation>Stretch3</translation>
    </message>
    <message>
        <source>Speed3</source>
        <translation>Speed3</translation>
    </message>
    <message>
        <source>Punch</source>
        <translation>Punch</translation>
    </message>
    <message>
        <source>DeadBand</source>
        <translation>DeadBand</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>Damping</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>Protection</source>
        <translation>Protection</translation>
    </message>
    <message>
        <source>PowerFree</source>
        <translation>PowerFree</translation>
    </message>
    <message>
        <source>Limit(L)</source>
        <translation>Limit(L)</translation>
    </message>
    <message>
        <source>Limit(R)</source>
        <translation>Limit(R)</translation>
    </message>
    <message>
        <source>OffSet</source>
        <translation>OffSet</translation>
    </message>
    <message>
        <source>SIO</source>
        <translation>SIO</translation>
    </message>
</context>
<context>
    <name>ShellSettings</name>
    <message>
        <source>it is not text</source>
        <translation>it is not text</translation>
    </message>
    <message>
        <source>The settings file %1 can&apos;t be read (%2); it is left as it is and the settings are not saved</source>
        <translation>The settings file %1 can&apos;t be read (%2); it is left as it is and the settings are not saved</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The lock file %1 cannot be used (%2)</source>
        <translation>The lock file %1 cannot be used (%2)</translation>
    </message>
    <message>
        <source>The lock file %1 is not this user&apos;s file</source>
        <translation>The lock file %1 is not this user&apos;s file</translation>
    </message>
</context>
<context>
    <name>SlotLists</name>
    <message>
        <source>The motion table has not been read from the board yet: a slot marked (not read) may hold a motion or a scenario.</source>
        <translation>The motion table has not been read from the board yet: a slot marked (not read) may hold a motion or a scenario.</translation>
    </message>
    <message>
        <source>Some rows of the motion table have not been read from the board: a slot marked (not read) may hold a motion or a scenario.</source>
        <translation>Some rows of the motion table have not been read from the board: a slot marked (not read) may hold a motion or a scenario.</translation>
    </message>
    <message>
        <source>Read the table</source>
        <translation>Read the table</translation>
    </message>
    <message>
        <source>Read the motion table from the board now?

The board sleeps while its table is read, so the servos let go and the robot goes limp.</source>
        <translation>Read the motion table from the board now?

The board sleeps while its table is read, so the servos let go and the robot goes limp.</translation>
    </message>
    <message>
        <source>The motion table could not be read</source>
        <translation>The motion table could not be read</translation>
    </message>
</context>
<context>
    <name>StlMesh</name>
    <message>
        <source>triangle %1 has a corner that is not a number</source>
        <translation>triangle %1 has a corner that is not a number</translation>
    </message>
    <message>
        <source>line %1: &apos;%2&apos; expected</source>
        <translation>line %1: &apos;%2&apos; expected</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>a number</translation>
    </message>
    <message>
        <source>more than %1 triangles; a collision mesh never has</source>
        <translation>more than %1 triangles; a collision mesh never has</translation>
    </message>
    <message>
        <source>the mesh has no triangles</source>
        <translation>the mesh has no triangles</translation>
    </message>
    <message>
        <source>the file is larger than %1 MB</source>
        <translation>the file is larger than %1 MB</translation>
    </message>
    <message>
        <source>the file claims %1 triangles, which take %2 bytes, but has %3</source>
        <translation>the file claims %1 triangles, which take %2 bytes, but has %3</translation>
    </message>
    <message>
        <source>not an STL file (too short, no &apos;solid&apos;)</source>
        <translation>not an STL file (too short, no &apos;solid&apos;)</translation>
    </message>
    <message>
        <source>cannot read the file (%1)</source>
        <translation>cannot read the file (%1)</translation>
    </message>
</context>
<context>
    <name>ToolWindows</name>
    <message>
        <source>Trim</source>
        <translation>Trim</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Analog</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>SVL</source>
        <translation>SVL</translation>
    </message>
    <message>
        <source>Receiver</source>
        <translation>Receiver</translation>
    </message>
</context>
<context>
    <name>Transact</name>
    <message>
        <source>no fault</source>
        <translation>no fault</translation>
    </message>
    <message>
        <source>the board did not answer</source>
        <translation>the board did not answer</translation>
    </message>
    <message>
        <source>the board&apos;s reply was short</source>
        <translation>the board&apos;s reply was short</translation>
    </message>
    <message>
        <source>the board&apos;s reply had a bad checksum</source>
        <translation>the board&apos;s reply had a bad checksum</translation>
    </message>
    <message>
        <source>the board refused the command (NAK)</source>
        <translation>the board refused the command (NAK)</translation>
    </message>
    <message>
        <source>the serial port is gone</source>
        <translation>the serial port is gone</translation>
    </message>
    <message>
        <source>unknown fault</source>
        <translation>unknown fault</translation>
    </message>
</context>
<context>
    <name>TransferCommands</name>
    <message>
        <source>--slot must be M1 ... M80 or S1 ... S5, not &quot;%1&quot;</source>
        <translation>--slot must be M1 ... M80 or S1 ... S5, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Write cancelled</source>
        <translation>Write cancelled</translation>
    </message>
    <message>
        <source>Write failed: %1</source>
        <translation>Write failed: %1</translation>
    </message>
    <message>
        <source>Write: every step was written and acknowledged, but the board did not wake up afterwards (%1); it is still asleep</source>
        <translation>Write: every step was written and acknowledged, but the board did not wake up afterwards (%1); it is still asleep</translation>
    </message>
    <message>
        <source>Read cancelled</source>
        <translation>Read cancelled</translation>
    </message>
    <message>
        <source>Read failed: %1</source>
        <translation>Read failed: %1</translation>
    </message>
    <message>
        <source>Read: every step was written and acknowledged, but the board did not wake up afterwards (%1); it is still asleep</source>
        <translation>Read: every step was written and acknowledged, but the board did not wake up afterwards (%1); it is still asleep</translation>
    </message>
    <message>
        <source>Delete cancelled</source>
        <translation>Delete cancelled</translation>
    </message>
    <message>
        <source>Delete failed: %1</source>
        <translation>Delete failed: %1</translation>
    </message>
    <message>
        <source>Delete: every step was written and acknowledged, but the board did not wake up afterwards (%1); it is still asleep</source>
        <translation>Delete: every step was written and acknowledged, but the board did not wake up afterwards (%1); it is still asleep</translation>
    </message>
    <message>
        <source>The slot is empty</source>
        <translation>The slot is empty</translation>
    </message>
    <message>
        <source>A scenario chart is written to S1 ... S5</source>
        <translation>A scenario chart is written to S1 ... S5</translation>
    </message>
    <message>
        <source>A motion chart is written to M1 ... M80</source>
        <translation>A motion chart is written to M1 ... M80</translation>
    </message>
    <message>
        <source>The chart has no objects</source>
        <translation>The chart has no objects</translation>
    </message>
    <message>
        <source>Write cancelled: the chart has warnings</source>
        <translation>Write cancelled: the chart has warnings</translation>
    </message>
    <message>
        <source>The board may have been left asleep</source>
        <translation>The board may have been left asleep</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>Cannot write %1</translation>
    </message>
</context>
<context>
    <name>Trim</name>
    <message>
        <source>The designated file can&apos;t be used</source>
        <translation>The designated file can&apos;t be used</translation>
    </message>
    <message>
        <source>It can&apos;t be kept in the designated place</source>
        <translation>It can&apos;t be kept in the designated place</translation>
    </message>
</context>
<context>
    <name>WindowMessages</name>
    <message>
        <source>Sending the Play command</source>
        <translation>Sending the Play command</translation>
    </message>
    <message>
        <source>Sending the expanded low speed serial</source>
        <translation>Sending the expanded low speed serial</translation>
    </message>
</context>
<context>
    <name>WriteWarnings</name>
    <message>
        <source>warning: %1</source>
        <translation>warning: %1</translation>
    </message>
    <message>
        <source>Write anyway?</source>
        <translation>Write anyway?</translation>
    </message>
    <message>
        <source>Do not ask again for this chart</source>
        <translation>Do not ask again for this chart</translation>
    </message>
</context>
<context>
    <name>brv3::CanvasWidget</name>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>The position editor is not available yet</source>
        <translation>The position editor is not available yet</translation>
    </message>
    <message>
        <source>The Set dialog is not available yet</source>
        <translation>The Set dialog is not available yet</translation>
    </message>
    <message>
        <source>The Compare dialog is not available yet</source>
        <translation>The Compare dialog is not available yet</translation>
    </message>
    <message>
        <source>The mixing dialog is not available yet</source>
        <translation>The mixing dialog is not available yet</translation>
    </message>
    <message>
        <source>The data dialog is not available yet</source>
        <translation>The data dialog is not available yet</translation>
    </message>
    <message>
        <source>The link/convert dialog is not available yet</source>
        <translation>The link/convert dialog is not available yet</translation>
    </message>
</context>
<context>
    <name>brv3::CommPortCombo</name>
    <message>
        <source>%1 (unplugged)</source>
        <translation>%1 (unplugged)</translation>
    </message>
    <message>
        <source>COM Port</source>
        <translation>COM Port</translation>
    </message>
    <message>
        <source>No port</source>
        <translation>No port</translation>
    </message>
</context>
<context>
    <name>brv3::CurvesDock</name>
    <message>
        <source>Curves</source>
        <translation>Curves</translation>
    </message>
    <message>
        <source>Click a channel to hide or show its line</source>
        <translation>Click a channel to hide or show its line</translation>
    </message>
    <message>
        <source>A scenario chart has no curves</source>
        <translation>A scenario chart has no curves</translation>
    </message>
    <message>
        <source>The chart has no objects</source>
        <translation>The chart has no objects</translation>
    </message>
    <message>
        <source>The chart does not compile</source>
        <translation>The chart does not compile</translation>
    </message>
    <message>
        <source>The motion has %1 steps, too many to plot (a motion holds %2)</source>
        <translation>The motion has %1 steps, too many to plot (a motion holds %2)</translation>
    </message>
    <message>
        <source>step</source>
        <translation>step</translation>
    </message>
    <message>
        <source>offset</source>
        <translation>offset</translation>
    </message>
    <message>
        <source>selected</source>
        <translation>selected</translation>
    </message>
    <message>
        <source>played</source>
        <translation>played</translation>
    </message>
    <message>
        <source>speed</source>
        <translation>speed</translation>
    </message>
</context>
<context>
    <name>brv3::MainMenus</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>Follow the &amp;System</source>
        <translation>Follow the &amp;System</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Open &amp;Recent</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>&amp;Insert...</source>
        <translation>&amp;Insert...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Grid</source>
        <translation>&amp;Grid</translation>
    </message>
    <message>
        <source>&amp;Toolbars</source>
        <translation>&amp;Toolbars</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation>&amp;Communication</translation>
    </message>
    <message>
        <source>&amp;Parts</source>
        <translation>&amp;Parts</translation>
    </message>
    <message>
        <source>Co&amp;mmands</source>
        <translation>Co&amp;mmands</translation>
    </message>
    <message>
        <source>&amp;Curves</source>
        <translation>&amp;Curves</translation>
    </message>
    <message>
        <source>&amp;Robot</source>
        <translation>&amp;Robot</translation>
    </message>
    <message>
        <source>Robot &amp;Model...</source>
        <translation>Robot &amp;Model...</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>&amp;Actual Size</translation>
    </message>
    <message>
        <source>The language could not be kept in BRV3.ini</source>
        <translation>The language could not be kept in BRV3.ini</translation>
    </message>
    <message>
        <source>The language changes completely when Brivane 3 starts the next time.</source>
        <translation>The language changes completely when Brivane 3 starts the next time.</translation>
    </message>
    <message>
        <source>&amp;Board</source>
        <translation>&amp;Board</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>&amp;Port</translation>
    </message>
    <message>
        <source>&amp;Sync</source>
        <translation>&amp;Sync</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;About Brivane 3</source>
        <translation>&amp;About Brivane 3</translation>
    </message>
    <message>
        <source>Save the changes to the chart first?</source>
        <translation>Save the changes to the chart first?</translation>
    </message>
    <message>
        <source>Save the changes to %1 first?</source>
        <translation>Save the changes to %1 first?</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Unsaved changes</translation>
    </message>
    <message>
        <source>%1: not available yet</source>
        <translation>%1: not available yet</translation>
    </message>
</context>
<context>
    <name>brv3::ObjectEditors</name>
    <message>
        <source>Robot Model</source>
        <translation>Robot Model</translation>
    </message>
    <message>
        <source>Robot descriptions (*.urdf);;All files (*)</source>
        <translation>Robot descriptions (*.urdf);;All files (*)</translation>
    </message>
    <message>
        <source>The robot model was not changed.
%1</source>
        <translation>The robot model was not changed.
%1</translation>
    </message>
    <message>
        <source>Robot model: %1</source>
        <translation>Robot model: %1</translation>
    </message>
</context>
<context>
    <name>brv3::RobotDock</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Robot</source>
        <translation>Robot</translation>
    </message>
    <message>
        <source>Play the motion on the robot</source>
        <translation>Play the motion on the robot</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop and go back to the start</source>
        <translation>Stop and go back to the start</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>&amp;Front</source>
        <translation>&amp;Front</translation>
    </message>
    <message>
        <source>&amp;Side</source>
        <translation>&amp;Side</translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation>&amp;Top</translation>
    </message>
    <message>
        <source>A scenario chart cannot be previewed: open a motion chart.</source>
        <translation>A scenario chart cannot be previewed: open a motion chart.</translation>
    </message>
    <message>
        <source>Nothing to play: the chart has no objects.</source>
        <translation>Nothing to play: the chart has no objects.</translation>
    </message>
    <message>
        <source>The chart does not compile: %1</source>
        <translation>The chart does not compile: %1</translation>
    </message>
    <message>
        <source>Inputs...</source>
        <translation>Inputs...</translation>
    </message>
    <message>
        <source>What the preview&apos;s board reads: analog inputs, a remote button, the loop counter</source>
        <translation>What the preview&apos;s board reads: analog inputs, a remote button, the loop counter</translation>
    </message>
</context>
<context>
    <name>brv3::RobotView</name>
    <message>
        <source>The 3D view needs OpenGL, which the &quot;%1&quot; display has not.</source>
        <translation>The 3D view needs OpenGL, which the &quot;%1&quot; display has not.</translation>
    </message>
    <message>
        <source>The 3D view needs OpenGL (a graphics driver or Mesa), which failed to start.</source>
        <translation>The 3D view needs OpenGL (a graphics driver or Mesa), which failed to start.</translation>
    </message>
    <message>
        <source>The 3D view could not be loaded: %1</source>
        <translation>The 3D view could not be loaded: %1</translation>
    </message>
</context>
<context>
    <name>brv3::TAdDlg</name>
    <message>
        <source>Analog</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>Input 1</source>
        <translation>Input 1</translation>
    </message>
    <message>
        <source>Input 2</source>
        <translation>Input 2</translation>
    </message>
    <message>
        <source>Input 3</source>
        <translation>Input 3</translation>
    </message>
    <message>
        <source>Real time mixing</source>
        <translation>Real time mixing</translation>
    </message>
    <message>
        <source>Base Level Settiong</source>
        <translation>Base Level Settiong</translation>
    </message>
    <message>
        <source>AUTO</source>
        <translation>AUTO</translation>
    </message>
    <message>
        <source>Ref</source>
        <translation>Ref</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>Play motion on sensor interrupt</source>
        <translation>Play motion on sensor interrupt</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>interrupt trigger level</source>
        <translation>interrupt trigger level</translation>
    </message>
    <message>
        <source>change exceeds</source>
        <translation>change exceeds</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
</context>
<context>
    <name>brv3::TBrivane3</name>
    <message>
        <source>EDIT %1</source>
        <translation>EDIT %1</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>COMM</source>
        <translation>COMM</translation>
    </message>
    <message>
        <source>SYNC</source>
        <translation>SYNC</translation>
    </message>
    <message>
        <source>SYNC</source>
        <comment>hint</comment>
        <translation>SYNC</translation>
    </message>
    <message>
        <source>PARTS</source>
        <translation>PARTS</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>GRID</source>
        <translation>GRID</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>Start Flag</source>
        <translation>Start Flag</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Mix</source>
        <translation>Mix</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>Flow Wiring</source>
        <translation>Flow Wiring</translation>
    </message>
    <message>
        <source>Branch Wiring</source>
        <translation>Branch Wiring</translation>
    </message>
    <message>
        <source>Compile</source>
        <translation>Compile</translation>
    </message>
    <message>
        <source>Commad</source>
        <translation>Commad</translation>
    </message>
    <message>
        <source>Home position</source>
        <translation>Home position</translation>
    </message>
    <message>
        <source>Trim Position</source>
        <translation>Trim Position</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>LIST</source>
        <translation>LIST</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Undo %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Redo %1</translation>
    </message>
    <message>
        <source>No title</source>
        <translation>No title</translation>
    </message>
    <message>
        <source>Okay to close?</source>
        <translation>Okay to close?</translation>
    </message>
</context>
<context>
    <name>brv3::TDataDlg</name>
    <message>
        <source>DataDialog</source>
        <translation>DataDialog</translation>
    </message>
    <message>
        <source>Data name</source>
        <translation>Data name</translation>
    </message>
    <message>
        <source>Remote Control Code</source>
        <translation>Remote Control Code</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Capture</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>brv3::TFormDlg</name>
    <message>
        <source>Properties</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Display QVB file icon</source>
        <translation>Display QVB file icon</translation>
    </message>
    <message>
        <source>Tool menu</source>
        <translation>Tool menu</translation>
    </message>
    <message>
        <source>Object menu</source>
        <translation>Object menu</translation>
    </message>
    <message>
        <source>Communication menu</source>
        <translation>Communication menu</translation>
    </message>
    <message>
        <source>Command menu</source>
        <translation>Command menu</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Grid Size</source>
        <translation>Grid Size</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>brv3::THomeDlg</name>
    <message>
        <source>QVB file (*.QVB);;Show all files (*.*)</source>
        <translation>QVB file (*.QVB);;Show all files (*.*)</translation>
    </message>
    <message>
        <source>TrimDialog</source>
        <translation>TrimDialog</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
</context>
<context>
    <name>brv3::TInfoDlg</name>
    <message>
        <source>QVB-3 motion editor</source>
        <translation>QVB-3 motion editor</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>ProgramName</source>
        <translation>ProgramName</translation>
    </message>
    <message>
        <source>Publisher</source>
        <translation>Publisher</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>brv3::TItemProperty</name>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; is not a valid integer value</translation>
    </message>
</context>
<context>
    <name>brv3::TOptDlg</name>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Motion replay</source>
        <translation>Motion replay</translation>
    </message>
    <message>
        <source>Enable remote control</source>
        <translation>Enable remote control</translation>
    </message>
    <message>
        <source>Enable ZLT-1</source>
        <translation>Enable ZLT-1</translation>
    </message>
    <message>
        <source>Start switch motion</source>
        <translation>Start switch motion</translation>
    </message>
    <message>
        <source>Power-up motion</source>
        <translation>Power-up motion</translation>
    </message>
    <message>
        <source>Low Power motion</source>
        <translation>Low Power motion</translation>
    </message>
    <message>
        <source>Timebase</source>
        <translation>Timebase</translation>
    </message>
    <message>
        <source>Serial mode</source>
        <translation>Serial mode</translation>
    </message>
    <message>
        <source>Reboot the QVB-3 to change to SVL mode</source>
        <translation>Reboot the QVB-3 to change to SVL mode</translation>
    </message>
    <message>
        <source>SVL</source>
        <translation>SVL</translation>
    </message>
</context>
<context>
    <name>brv3::TPortDlg</name>
    <message>
        <source>QVB file (*.QVB);;Show all files (*.*)</source>
        <translation>QVB file (*.QVB);;Show all files (*.*)</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>Change of the name</source>
        <translation>Change of the name</translation>
    </message>
    <message>
        <source>Display Scale Factor</source>
        <translation>Display Scale Factor</translation>
    </message>
    <message>
        <source>Link Editing</source>
        <translation>Link Editing</translation>
    </message>
    <message>
        <source>PATTERN.ini cannot be read; links and conversions are not kept: %1</source>
        <translation>PATTERN.ini cannot be read; links and conversions are not kept: %1</translation>
    </message>
    <message>
        <source>PATTERN.ini: %1</source>
        <translation>PATTERN.ini: %1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>brv3::TPreviewInputsDlg</name>
    <message>
        <source>Preview inputs</source>
        <translation>Preview inputs</translation>
    </message>
    <message>
        <source>Analog input %1</source>
        <translation>Analog input %1</translation>
    </message>
    <message>
        <source>A remote-control button is held</source>
        <translation>A remote-control button is held</translation>
    </message>
    <message>
        <source>Its code</source>
        <translation>Its code</translation>
    </message>
    <message>
        <source>Loop counter at the start</source>
        <translation>Loop counter at the start</translation>
    </message>
</context>
<context>
    <name>brv3::TPrmDlg</name>
    <message>
        <source>Write to QVB-3</source>
        <translation>Write to QVB-3</translation>
    </message>
    <message>
        <source>Read form QVB-3</source>
        <translation>Read form QVB-3</translation>
    </message>
    <message>
        <source>Home position</source>
        <translation>Home position</translation>
    </message>
    <message>
        <source>Trim Position</source>
        <translation>Trim Position</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>Sleep</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>Snapshot</translation>
    </message>
    <message>
        <source>Increment Link</source>
        <translation>Increment Link</translation>
    </message>
    <message>
        <source>Set Home Position</source>
        <translation>Set Home Position</translation>
    </message>
    <message>
        <source>Panel Display</source>
        <translation>Panel Display</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Display Scale Factor</source>
        <translation>Display Scale Factor</translation>
    </message>
    <message>
        <source>Background Image</source>
        <translation>Background Image</translation>
    </message>
    <message>
        <source>Display Background</source>
        <translation>Display Background</translation>
    </message>
    <message>
        <source>Panel Lock</source>
        <translation>Panel Lock</translation>
    </message>
    <message>
        <source>There is no designated background image</source>
        <translation>There is no designated background image</translation>
    </message>
    <message>
        <source>There is no designated background image (%1)</source>
        <translation>There is no designated background image (%1)</translation>
    </message>
</context>
<context>
    <name>brv3::TPropoDlg</name>
    <message>
        <source>PropoDlg</source>
        <translation>PropoDlg</translation>
    </message>
    <message>
        <source>AUTO</source>
        <translation>AUTO</translation>
    </message>
    <message>
        <source>Ref</source>
        <translation>Ref</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>Input with buttons</source>
        <translation>Input with buttons</translation>
    </message>
</context>
<context>
    <name>brv3::TSVLDlg</name>
    <message>
        <source>SVL</source>
        <translation>SVL</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
</context>
<context>
    <name>brv3::TSVLPrm</name>
    <message>
        <source>Stretch</source>
        <translation>Stretch</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Stretch1</source>
        <translation>Stretch1</translation>
    </message>
    <message>
        <source>Speed1</source>
        <translation>Speed1</translation>
    </message>
    <message>
        <source>Stretch2</source>
        <translation>Stretch2</translation>
    </message>
    <message>
        <source>Speed2</source>
        <translation>Speed2</translation>
    </message>
    <message>
        <source>Stretch3</source>
        <translation>Stretch3</translation>
    </message>
    <message>
        <source>Speed3</source>
        <translation>Speed3</translation>
    </message>
    <message>
        <source>Punch</source>
        <translation>Punch</translation>
    </message>
    <message>
        <source>Dead band</source>
        <translation>Dead band</translation>
    </message>
    <message>
        <source>Dumping</source>
        <translation>Dumping</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>No PWM</source>
        <translation>No PWM</translation>
    </message>
    <message>
        <source>Pulse Timeout</source>
        <translation>Pulse Timeout</translation>
    </message>
    <message>
        <source>Protection Timer</source>
        <translation>Protection Timer</translation>
    </message>
    <message>
        <source>CCWLimit</source>
        <translation>CCWLimit</translation>
    </message>
    <message>
        <source>CWLimit</source>
        <translation>CWLimit</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Offset</translation>
    </message>
</context>
<context>
    <name>brv3::TTableDlg</name>
    <message>
        <source>DataTable</source>
        <translation>DataTable</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>I am sorry</source>
        <translation>I am sorry</translation>
    </message>
    <message>
        <source>The double start is impossible</source>
        <translation>The double start is impossible</translation>
    </message>
    <message>
        <source>No message socket: %1</source>
        <translation>No message socket: %1</translation>
    </message>
</context>
</TS>
