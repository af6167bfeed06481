#pragma once

#include "core/util/Translate.h"

namespace brv3 {

// Loads the catalogue of `language` (built into the program) and makes Tr() use it; in a process
// with a QCoreApplication the toolkit's tr() uses it too. English needs its catalogue only for the
// few texts the code holds in Japanese. False when the catalogue cannot be loaded: texts are then
// shown as written.
bool InstallCatalogue(UiLanguage language);

// The language of this process from BRV3.ini and the environment, installed.
UiLanguage InstallProcessLanguage();

}  // namespace brv3
