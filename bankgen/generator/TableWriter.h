// Writes the C++ tables of BankTables.h from a checked source bank.
#pragma once

#include "bankgen/source/BankSource.h"

#include <ostream>

namespace tovarin::bankgen {

// The texts of one container (frmQ: questions 51 to 57, frmQ2: 58 to 64). The holders of frmQ
// name their pictures, which the program carries as Qt resources (:/pictures/<name>).
void writeContainer(std::ostream &out, const banksource::SourceBank &bank, const char *name,
    int firstNumber, int lastNumber);

// The explanation table of ExplanationTables.h: every variant's explanation and refutations, and
// for a computed variant the worked solution the build solved, found by slot and variant.
void writeExplanations(std::ostream &out, const banksource::SourceBank &bank);

// The chart table of ChartTables.h: each gazetteer's chart (area, variation, marks, land) in
// degrees, and the chart each variant of questions 51 to 53 names.
void writeCharts(std::ostream &out, const banksource::SourceBank &bank);

} // namespace tovarin::bankgen
