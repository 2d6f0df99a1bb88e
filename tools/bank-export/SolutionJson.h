// A computed variant's check table and worked solution as JSON objects for bank-export.
#pragma once

#include "bank/solver/CheckTable.h"
#include "bank/solver/Solution.h"

#include <QJsonObject>

namespace tovarin {

QJsonObject checkJson(const solver::CheckTable &table);
QJsonObject solutionJson(const solver::Solution &solution);

} // namespace tovarin
