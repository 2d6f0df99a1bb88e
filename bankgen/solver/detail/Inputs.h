// Typed reading of a check table. Each figure read is noted together with the way the question
// text must state it, so that the build can require the text to give every figure the key rests
// on; fields that no reader asked for are reported, so a misspelt field is never ignored.
#pragma once

#include "bankgen/solver/CheckTable.h"
#include "bankgen/solver/detail/Sailing.h"

#include <toml++/toml.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tovarin::solver::detail {

// A figure the question text must state: `shown` for messages, `foundIn` tells whether a text
// states it.
struct Figure
{
    std::string shown;
    std::function<bool(const std::string &)> foundIn;
};

// The phrase stands in the text as a figure of its own, not as the tail or head of a longer one.
bool statesPhrase(const std::string &text, const std::string &phrase);
// Some number printed in the text (ASCII or full-width digits, "1,800") equals the value.
bool statesNumber(const std::string &text, double value);
// Every number a text prints, in order; `decimals`, when given, receives how many digits each
// prints after its point ("0.9" one, "37" none).
std::vector<double> numbersIn(const std::string &text, std::vector<int> *decimals = nullptr);

class Inputs
{
public:
    Inputs(const toml::table &table, std::string where, std::vector<Figure> &figures,
        const std::vector<MarkPosition> &marks);

    bool has(const std::string &key) const { return m_table->contains(key); }
    const toml::node &raw(const std::string &key) { return node(key); }
    const std::string &where() const { return m_where; }

    // Read without a statement in the text.
    std::string text(const std::string &key);
    double number(const std::string &key);
    double positive(const std::string &key);

    // Chart forms, each noted as the question writes it. A position is [lat_deg, lat_min,
    // lon_deg, lon_min] (the text prints it), a mark's name (the mark itself), or
    // { from = mark, bearing = true bearing from the mark, miles = distance }, which the text
    // states as the examination does: 「〇〇灯台から真方位225°、距離4海里の地点」.
    Position position(const std::string &key);
    // The mark a position field names (the mark itself, or the mark it is laid off from), "" for
    // a latitude and longitude; and where that mark stands.
    std::string markNameIn(const std::string &key) const;
    Position markPosition(const std::string &name, const std::string &what = "check") const;
    std::vector<Position> positions(const std::string &key);
    double direction(const std::string &key);
    std::vector<double> directions(const std::string &key);
    double eastWest(const std::string &key);
    double knots(const std::string &key);
    double miles(const std::string &key);
    double minutes(const std::string &key); // a duration, stated "1時間30分"
    double clock(const std::string &key); // "HH:MM" in the table, minutes after midnight
    // A field that names a mark of the chart (answer_from), the name stated as it is.
    std::string markName(const std::string &key);

    // A plain number the text prints (engine sums). A fraction may be printed as a percentage
    // (0.2 as 20) or as its reciprocal (0.1 as 10分の1), when `asFraction` says so.
    double figure(const std::string &key, bool asFraction = false);
    // A number, or the sum of an array of numbers each printed in the text.
    double figureSum(const std::string &key);

    // A statement the kind works out itself (a tide's day, a port's name).
    void require(Figure figure) { m_figures->push_back(std::move(figure)); }
    void requirePhrase(const std::string &phrase);

    // The tables of an array of tables, each read like this one.
    std::vector<Inputs *> tables(const std::string &key);

    std::vector<std::string> unread() const;

    static double numberOf(const toml::node &n, const std::string &what);

private:
    const toml::node &node(const std::string &key);
    const toml::array &arrayOf(const std::string &key);
    Position positionOf(const toml::node &n, const std::string &what);
    Position markNamed(const std::string &name, const std::string &what);
    Inputs &child(const toml::table &table, const std::string &where);
    double stated(double value, const std::string &phrase);

    const toml::table *m_table;
    std::string m_where;
    std::vector<Figure> *m_figures;
    const std::vector<MarkPosition> *m_marks;
    std::set<std::string> m_read;
    std::deque<Inputs> m_children;
};

} // namespace tovarin::solver::detail
