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
std::vector<double> numbersIn(const std::string &text);

class Inputs
{
public:
    // `marks` are what the table's mark names stand for; without them a name is an error.
    Inputs(const toml::table &table, std::string where, std::vector<Figure> &figures,
        const std::vector<NamedMark> *marks = nullptr);

    bool has(const std::string &key) const { return m_table->contains(key); }
    const toml::node &raw(const std::string &key) { return node(key); }
    const std::string &where() const { return m_where; }

    // Read without a statement in the text.
    std::string text(const std::string &key);
    double number(const std::string &key);
    double positive(const std::string &key);

    // Chart forms, each noted as the question writes it. A position is [deg, min, deg, min]
    // (stated as 北緯…、東経…), a mark's name (stated as it is), or a bearing and distance from a
    // mark, { from = "鷹埼灯台", bearing = 225, miles = 4 } (stated as
    // 「鷹埼灯台から真方位225°、距離4海里」).
    Position position(const std::string &key);
    std::vector<Position> positions(const std::string &key);
    double direction(const std::string &key);
    std::vector<double> directions(const std::string &key);
    double eastWest(const std::string &key);
    double knots(const std::string &key);
    double miles(const std::string &key);
    double minutes(const std::string &key); // a duration, stated "1時間30分"
    double clock(const std::string &key); // "HH:MM" in the table, minutes after midnight
    // A mark's name, stated as it is, and its position.
    std::string markName(const std::string &key);
    Position markPosition(const std::string &name) const;

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
    double stated(double value, const std::string &phrase);

    const toml::table *m_table;
    std::string m_where;
    std::vector<Figure> *m_figures;
    const std::vector<NamedMark> *m_marks;
    std::set<std::string> m_read;
    std::deque<Inputs> m_children;
};

} // namespace tovarin::solver::detail
