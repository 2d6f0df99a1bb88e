#include "bankgen/solver/detail/Inputs.h"

#include "bankgen/solver/detail/Texts.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace tovarin::solver::detail {
namespace {

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool statesPhrase(const std::string &text, const std::string &phrase)
{
    for (std::size_t at = text.find(phrase); at != std::string::npos;
         at = text.find(phrase, at + 1)) {
        const bool cleanBefore = at == 0 || !(isAsciiDigit(text[at - 1]) || text[at - 1] == '.');
        const std::size_t end = at + phrase.size();
        const bool cleanAfter = end >= text.size() || !isAsciiDigit(text[end]);
        if (cleanBefore && cleanAfter)
            return true;
    }
    return false;
}

std::vector<double> numbersIn(const std::string &text, std::vector<int> *decimals)
{
    // Full-width digits, point and comma read as ASCII ones (U+FF10… are EF BC 90…).
    std::string s;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) == 0xEF && i + 2 < text.size()
            && static_cast<unsigned char>(text[i + 1]) == 0xBC) {
            const auto last = static_cast<unsigned char>(text[i + 2]);
            if (last >= 0x90 && last <= 0x99) {
                s += static_cast<char>('0' + (last - 0x90));
                i += 2;
                continue;
            }
            if (last == 0x8E || last == 0x8C) {
                s += last == 0x8E ? '.' : ',';
                i += 2;
                continue;
            }
        }
        s += text[i];
    }
    auto digit = [&s](std::size_t i) { return i < s.size() && isAsciiDigit(s[i]); };
    std::vector<double> out;
    for (std::size_t i = 0; i < s.size();) {
        if (!digit(i)) {
            ++i;
            continue;
        }
        std::string number;
        // A comma followed by exactly three digits separates thousands ("1,800").
        while (digit(i)
            || (s[i] == ',' && digit(i + 1) && digit(i + 2) && digit(i + 3) && !digit(i + 4))) {
            if (s[i] != ',')
                number += s[i];
            ++i;
        }
        int places = 0;
        if (i < s.size() && s[i] == '.' && digit(i + 1)) {
            number += s[i++];
            for (; digit(i); ++places)
                number += s[i++];
        }
        out.push_back(std::stod(number));
        if (decimals)
            decimals->push_back(places);
    }
    return out;
}

bool statesNumber(const std::string &text, double value)
{
    for (double n : numbersIn(text))
        if (std::abs(n - value) <= 1e-9 * std::max(1.0, std::abs(value)))
            return true;
    return false;
}

Inputs::Inputs(const toml::table &table, std::string where, std::vector<Figure> &figures,
    const std::vector<MarkPosition> &marks)
    : m_table(&table)
    , m_where(std::move(where))
    , m_figures(&figures)
    , m_marks(&marks)
{
}

Inputs &Inputs::child(const toml::table &table, const std::string &where)
{
    m_children.emplace_back(table, where, *m_figures, *m_marks);
    return m_children.back();
}

const toml::node &Inputs::node(const std::string &key)
{
    const toml::node *n = m_table->get(key);
    if (!n)
        throw CheckError("missing " + m_where + key);
    m_read.insert(key);
    return *n;
}

const toml::array &Inputs::arrayOf(const std::string &key)
{
    if (const toml::array *a = node(key).as_array())
        return *a;
    throw CheckError(m_where + key + " is not an array");
}

double Inputs::numberOf(const toml::node &n, const std::string &what)
{
    if (auto i = n.as_integer())
        return static_cast<double>(i->get());
    if (auto f = n.as_floating_point())
        return f->get();
    throw CheckError(what + " is not a number");
}

std::string Inputs::text(const std::string &key)
{
    if (auto s = node(key).value<std::string>())
        return *s;
    throw CheckError(m_where + key + " is not a string");
}

double Inputs::number(const std::string &key)
{
    return numberOf(node(key), m_where + key);
}

double Inputs::positive(const std::string &key)
{
    const double v = number(key);
    if (!(v > 0.0))
        throw CheckError(m_where + key + " must be positive");
    return v;
}

void Inputs::requirePhrase(const std::string &phrase)
{
    m_figures->push_back(
        { phrase, [phrase](const std::string &t) { return statesPhrase(t, phrase); } });
}

double Inputs::stated(double value, const std::string &phrase)
{
    requirePhrase(phrase);
    return value;
}

std::string Inputs::markNameIn(const std::string &key) const
{
    const toml::node *n = m_table->get(key);
    if (auto name = n ? n->value<std::string>() : std::nullopt)
        return *name;
    if (const toml::table *t = n ? n->as_table() : nullptr)
        return (*t)["from"].value_or(std::string());
    return {};
}

Position Inputs::markPosition(const std::string &name, const std::string &what) const
{
    for (const MarkPosition &m : *m_marks)
        if (m.name == name)
            return { m.latMinutes, m.lonMinutes };
    throw CheckError(what + " names " + name + ", which is no mark of the question's chart");
}

Position Inputs::markNamed(const std::string &name, const std::string &what)
{
    const Position p = markPosition(name, what);
    m_figures->push_back(
        { name, [name](const std::string &t) { return t.find(name) != std::string::npos; } });
    return p;
}

std::string Inputs::markName(const std::string &key)
{
    const std::string name = text(key);
    markNamed(name, m_where + key);
    return name;
}

Position Inputs::positionOf(const toml::node &n, const std::string &what)
{
    if (auto name = n.value<std::string>())
        return markNamed(*name, what);
    if (const toml::table *t = n.as_table()) {
        // Laid off from the mark along the true bearing. The text says it as the examination
        // does, in one phrase, so that its figures belong to this mark and no other.
        Inputs &from = child(*t, what + ".");
        const std::string name = from.text("from");
        const double bearing = from.number("bearing");
        const double miles = from.positive("miles");
        if (bearing < 0.0 || bearing >= 360.0)
            throw CheckError(what + ".bearing is not a direction 0..360");
        const Position mark = markPosition(name, what + ".from");
        requirePhrase(fromMarkText(name, bearing, plain(miles)));
        return movedBy(mark, along(bearing, miles));
    }
    const Position p = solver::positionOf(n, what);
    requirePhrase(positionText(p.latMinutes, p.lonMinutes));
    return p;
}

Position Inputs::position(const std::string &key)
{
    return positionOf(node(key), m_where + key);
}

std::vector<Position> Inputs::positions(const std::string &key)
{
    std::vector<Position> result;
    for (const toml::node &element : arrayOf(key))
        result.push_back(positionOf(element, m_where + key));
    return result;
}

double Inputs::direction(const std::string &key)
{
    const double v = number(key);
    return stated(v, directionText(v));
}

std::vector<double> Inputs::directions(const std::string &key)
{
    std::vector<double> result;
    for (const toml::node &element : arrayOf(key)) {
        result.push_back(numberOf(element, m_where + key));
        requirePhrase(directionText(result.back()));
    }
    return result;
}

double Inputs::eastWest(const std::string &key)
{
    const double v = number(key);
    return stated(v, eastWestText(v));
}

double Inputs::knots(const std::string &key)
{
    const double v = positive(key);
    return stated(v, plain(v) + "ノット");
}

double Inputs::miles(const std::string &key)
{
    const double v = positive(key);
    return stated(v, plain(v) + "海里");
}

double Inputs::minutes(const std::string &key)
{
    const double v = positive(key);
    return stated(v, durationText(v));
}

double Inputs::clock(const std::string &key)
{
    const std::string s = text(key);
    int h = -1;
    int m = -1;
    char tail = 0;
    if (s.size() != 5 || std::sscanf(s.c_str(), "%2d:%2d%c", &h, &m, &tail) != 2 || h < 0 || h > 23
        || m < 0 || m > 59)
        throw CheckError(m_where + key + " is not a time HH:MM");
    return stated(h * 60.0 + m, clockText(h * 60.0 + m));
}

double Inputs::figure(const std::string &key, bool asFraction)
{
    const double v = number(key);
    std::vector<double> forms = { v };
    if (asFraction && v > 0.0)
        forms.insert(forms.end(), { v * 100.0, 1.0 / v });
    m_figures->push_back({ plain(v), [forms](const std::string &t) {
                              for (double f : forms)
                                  if (statesNumber(t, f))
                                      return true;
                              return false;
                          } });
    return v;
}

double Inputs::figureSum(const std::string &key)
{
    const toml::array *a = raw(key).as_array();
    if (!a)
        return figure(key);
    double total = 0.0;
    for (const toml::node &element : *a) {
        const double v = numberOf(element, m_where + key);
        m_figures->push_back(
            { plain(v), [v](const std::string &t) { return statesNumber(t, v); } });
        total += v;
    }
    return total;
}

std::vector<Inputs *> Inputs::tables(const std::string &key)
{
    std::vector<Inputs *> result;
    std::size_t i = 0;
    for (const toml::node &element : arrayOf(key)) {
        const toml::table *t = element.as_table();
        if (!t)
            throw CheckError(m_where + key + " holds something other than tables");
        result.push_back(&child(*t, m_where + key + "[" + std::to_string(i++) + "]."));
    }
    if (result.empty())
        throw CheckError(m_where + key + " is empty");
    return result;
}

std::vector<std::string> Inputs::unread() const
{
    std::vector<std::string> result;
    for (const auto &[key, value] : *m_table) {
        (void)value;
        if (!m_read.count(std::string(key.str())))
            result.push_back(m_where + std::string(key.str()));
    }
    for (const Inputs &child : m_children) {
        const auto more = child.unread();
        result.insert(result.end(), more.begin(), more.end());
    }
    return result;
}

} // namespace tovarin::solver::detail
