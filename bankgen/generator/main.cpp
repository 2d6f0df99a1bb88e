// bankgen: reads and checks the bank's sources and writes the tables compiled into the program.
// Any fault stops the build with one line per fault, naming the file, the variant and the rule.
//
//   bankgen DATA_DIR PICTURES_DIR OUT_DIR
//
// writes OUT_DIR/BankData_frmQ.cpp, BankData_frmQ2.cpp, BankExplanations.cpp and BankCharts.cpp.

#include "bankgen/generator/TableWriter.h"
#include "bankgen/source/BankSource.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

// Rewrites a file only when its content changes, so that the build recompiles only what changed.
bool writeIfChanged(const std::filesystem::path &path, const std::string &content)
{
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream old;
        old << in.rdbuf();
        if (in && old.str() == content)
            return true;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char **argv)
{
    using namespace tovarin;
    if (argc != 4) {
        std::cerr << "usage: bankgen DATA_DIR PICTURES_DIR OUT_DIR\n";
        return 2;
    }
    const std::filesystem::path dataDir = argv[1], picturesDir = argv[2], outDir = argv[3];
    const banksource::SourceBank bank = banksource::loadBank(dataDir, picturesDir);
    if (!bank.problems.empty()) {
        for (const auto &problem : bank.problems)
            std::cerr << "bank error: " << (dataDir / problem.file).string()
                      << problem.text().substr(problem.file.size()) << '\n';
        std::cerr << "bankgen: " << bank.problems.size() << " fault(s) in the question bank\n";
        return 1;
    }
    std::ostringstream frmQ, frmQ2, explanations, charts;
    bankgen::writeContainer(frmQ, bank, "frmQ", 51, 57);
    bankgen::writeContainer(frmQ2, bank, "frmQ2", 58, 64);
    bankgen::writeExplanations(explanations, bank);
    bankgen::writeCharts(charts, bank);
    std::filesystem::create_directories(outDir);
    if (!writeIfChanged(outDir / "BankData_frmQ.cpp", frmQ.str())
        || !writeIfChanged(outDir / "BankData_frmQ2.cpp", frmQ2.str())
        || !writeIfChanged(outDir / "BankExplanations.cpp", explanations.str())
        || !writeIfChanged(outDir / "BankCharts.cpp", charts.str())) {
        std::cerr << "bankgen: cannot write into " << outDir << '\n';
        return 1;
    }
    return 0;
}
