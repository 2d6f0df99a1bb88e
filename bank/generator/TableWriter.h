// Writes the C++ tables of BankTables.h from a checked source bank.
#pragma once

#include "../source/BankSource.h"

#include <ostream>

namespace tovarin::bankgen {

// The texts of one container (frmQ: questions 51 to 57, frmQ2: 58 to 64). The holders of frmQ
// refer to the picture bytes, which writePictures puts in a file of their own so that an edited
// text does not recompile two megabytes of pixels; pictures gives their lengths.
void writeContainer(std::ostream &out, const banksource::SourceBank &bank,
                    const banksource::PictureStore &pictures, const char *name, int firstNumber,
                    int lastNumber);

// The explanation table of ExplanationTables.h: every variant's explanation, refutations and
// check table (as TOML), with its question text to find it by.
void writeExplanations(std::ostream &out, const banksource::SourceBank &bank);

void writePictures(std::ostream &out, const banksource::SourceBank &bank,
                   const banksource::PictureStore &pictures);

} // namespace tovarin::bankgen
