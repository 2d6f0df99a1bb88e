// A computed variant's check table and worked solution as JSON objects for bank-export.
#pragma once

#include "bank/Solution.h"
#include "bankgen/solver/CheckTable.h"

#include <QJsonObject>

namespace tovarin {

QJsonObject checkJson(const solver::CheckTable &table);
QJsonObject solutionJson(const solver::Solution &solution);

} // namespace tovarin
