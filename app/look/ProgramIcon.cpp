// The program's icon, kept as data: a computer monitor on a stand, 32 x 32 pixels in the 16
// colours of the classic palette (nine of them used) with a transparent surround.

#include "Look.h"

#include <QPixmap>

namespace tovarin {
namespace {

// clang-format off
const char *const programIconXpm[] = {
    "32 32 10 1",
    ". c None",
    "k c #000000",
    "w c #FFFFFF",
    "s c #C0C0C0",
    "g c #808080",
    "n c #000080",
    "b c #0000FF",
    "c c #00FFFF",
    "t c #008080",
    "G c #00FF00",
    "................................",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    "..kwwwwwwwwwwwwwwwwwwwwwwwwwwk..",
    "..kwssssssssssssssssssssssssgk..",
    "..kwskkkkkkkkkkkkkkkkkkkkkksgk..",
    "..kwsknnnnnnnnnnnnnnnnnnnnksgk..",
    "..kwsknbbbbbbbbbbbbbbbbbbnksgk..",
    "..kwsknbnnnnnnnnnnnnnnnnnnksgk..",
    "..kwsknbcnnnnnnnnnnnnnnnnnksgk..",
    "..kwsknbncnnnnnnnnnnnnnnnnksgk..",
    "..kwsknbnncncccccccccnnnnnksgk..",
    "..kwsknbncnnnnnnnnnnnnnnnnksgk..",
    "..kwsknbcnnnnnnnnnnnnnnnnnksgk..",
    "..kwsknbnnnnnnnnnnnnnnnnnnksgk..",
    "..kwsknbwwwwwwwwwnnnnnnnnnksgk..",
    "..kwsknbnnnnnnnnnnnnnnnnnnksgk..",
    "..kwsknnnnnnnnnnnnnnnnnnnnksgk..",
    "..kwskkkkkkkkkkkkkkkkkkkkkksgk..",
    "..kwssssssssssssssssssssssssgk..",
    "..kwssgsgsgsgsgssssssssstGssgk..",
    "..kwssssssssssssssssssssssssgk..",
    "..kggggggggggggggggggggggggggk..",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    ".............ksssgk.............",
    ".............ksssgk.............",
    ".............ksssgk.............",
    "........kkkkkkkkkkkkkkkk........",
    ".......kwwwwwwwwwwwwwwwwk.......",
    ".......kggggggggggggggggk.......",
    ".......kkkkkkkkkkkkkkkkkk.......",
    "................................",
    "................................"
};
// clang-format on

} // namespace

QIcon programIcon()
{
    return QIcon(QPixmap(programIconXpm));
}

} // namespace tovarin
