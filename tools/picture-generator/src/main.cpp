// picture-generator: draws the 22 pictures of questions 55 and 56 into bank/pictures/.
//
//   picture-generator [--root CHECKOUT] [--out DIR]
//
// Question 55's pictures come from tools/picture-generator/data/q55-pictures.toml
// (with the coastline in data/japan-coast.json), question 56's tide tables from the
// [variant.check] tables of bank/data/q56.toml, read by the bank's own reader and the solver
// that works their keys. Run it after changing any of these and commit the BMPs; the test
// PicturesTest fails while a committed picture differs from what this draws.
#include "bankgen/source/BankSource.h"
#include "tools/picture-generator/src/BmpWriter.h"
#include "tools/picture-generator/src/Coastline.h"
#include "tools/picture-generator/src/TideTable.h"
#include "tools/picture-generator/src/WeatherChart.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdio>
#include <stdexcept>

namespace {

void say(const QString &line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
}

int fail(const QString &line)
{
    std::fprintf(stderr, "picture-generator: %s\n", qPrintable(line));
    return 1;
}

QString save(const QImage &image, bool grey, const QString &dir, const QString &file)
{
    if (image.width() < 196 || image.width() > 286 || image.height() < 186 || image.height() > 287)
        return QStringLiteral("%1 is %2 x %3 pixels; pictures must be 196-286 x 186-287")
            .arg(file)
            .arg(image.width())
            .arg(image.height());
    const QString error = BmpWriter::write(
        image, grey ? BmpWriter::Depth::Grey8 : BmpWriter::Depth::Rgb24, QDir(dir).filePath(file));
    if (error.isEmpty())
        say(QStringLiteral("%1  %2 x %3  %4 bpp")
                .arg(file)
                .arg(image.width())
                .arg(image.height())
                .arg(grey ? 8 : 24));
    return error;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString root = QStringLiteral(TOVARIN_SOURCE_ROOT);
    QString out;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--root") && i + 1 < args.size())
            root = args[++i];
        else if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            out = args[++i];
        else
            return fail(QStringLiteral("usage: picture-generator [--root CHECKOUT] [--out DIR]"));
    }
    const QDir checkout(root);
    if (out.isEmpty())
        out = checkout.filePath(QStringLiteral("bank/pictures"));
    if (!QDir().mkpath(out))
        return fail(QStringLiteral("cannot create %1").arg(out));
    // A substituted font would change every label without a word; refuse instead.
    if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic")))
        return fail(QStringLiteral(
            "font family IPAPGothic is not installed (Debian: fonts-ipafont-gothic)"));

    Coastline coast;
    const QString dataDir = checkout.filePath(QStringLiteral("tools/picture-generator/data"));
    if (const QString error
        = coast.load(QDir(dataDir).filePath(QStringLiteral("japan-coast.json")));
        !error.isEmpty())
        return fail(error);

    int written = 0;
    const std::string weatherPath
        = QDir(dataDir).filePath(QStringLiteral("q55-pictures.toml")).toStdString();
    try {
        const toml::table weather = toml::parse_file(weatherPath);
        const toml::array *pictures = weather["picture"].as_array();
        if (!pictures)
            return fail(
                QString::fromStdString(weatherPath) + QStringLiteral(" has no [[picture]]"));
        for (const toml::node &node : *pictures) {
            WeatherChart chart(*node.as_table(), coast);
            const QImage image = chart.draw();
            if (const QString error = save(image, chart.isGrey(), out, chart.fileName());
                !error.isEmpty())
                return fail(error);
            ++written;
        }
    } catch (const toml::parse_error &e) {
        return fail(QStringLiteral("%1: %2").arg(
            QString::fromStdString(weatherPath), QString::fromUtf8(e.what())));
    } catch (const std::runtime_error &e) {
        return fail(QStringLiteral("%1: %2").arg(
            QString::fromStdString(weatherPath), QString::fromUtf8(e.what())));
    }

    const QString tidePath = checkout.filePath(QStringLiteral("bank/data/q56.toml"));
    QFile tideFile(tidePath);
    if (!tideFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(tidePath));
    const QByteArray tideText = tideFile.readAll();
    tovarin::banksource::Problems problems;
    const tovarin::banksource::SourceSlot slot = tovarin::banksource::parseSlot(
        std::string_view(tideText.constData(), std::size_t(tideText.size())), "q56.toml", problems);
    if (!problems.empty())
        return fail(QString::fromStdString(problems.front().text()));
    for (const tovarin::banksource::SourceVariant &variant : slot.variants) {
        if (!variant.picture || variant.picture->empty())
            continue;
        if (!variant.check)
            return fail(QStringLiteral(
                "q56 variant %1 has a picture but no [variant.check] to draw it from")
                            .arg(variant.index));
        QImage image;
        try {
            image = TideTable::draw(tovarin::solver::tideTableOf(*variant.check));
        } catch (const std::runtime_error &e) {
            return fail(QStringLiteral("q56 variant %1: %2")
                            .arg(variant.index)
                            .arg(QString::fromUtf8(e.what())));
        }
        if (const QString error = save(image, true, out, QString::fromStdString(*variant.picture));
            !error.isEmpty())
            return fail(error);
        ++written;
    }
    say(QStringLiteral("%1 pictures written to %2").arg(written).arg(out));
    return 0;
}
