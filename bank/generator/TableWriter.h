// Writes the C++ tables of BankTables.h from a checked source bank.
#pragma once

#include "bank/source/BankSource.h"

#include <ostream>

namespace tovarin::bankgen {

// The texts of one container (frmQ: questions 51 to 57, frmQ2: 58 to 64). The holders of frmQ
// name their pictures, which the program carries as Qt resources (:/pictures/<name>).
void writeContainer(std::ostream &out, const banksource::SourceBank &bank, const char *name,
    int firstNumber, int lastNumber);

// The explanation table of ExplanationTables.h: every variant's explanation, refutations and
// check table (as TOML), with its question text to find it by.
void writeExplanations(std::ostream &out, const banksource::SourceBank &bank);

} // namespace tovarin::bankgen
