// The shape of the tables that the bank generator writes from bank/data and bank/pictures.
// Only QuestionBank reads them; everything else goes through QuestionBank.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tovarin::bankdata {

struct VariantRecord
{
    const char *question; // UTF-8, line breaks as CR LF
    const char *choices[4];
    std::int16_t correct;
    std::int16_t layout;
    std::int16_t holder; // index into the container's holders, or -1: the slot has no holders
};

struct SlotRecord
{
    std::int16_t number;
    std::int16_t poolSize; // stored beside the variants; the draw is bounded by it alone
    const VariantRecord *variants;
};

// A picture holder: a BMP file's name, or "" for an empty holder. The program's own tables leave
// bytes null and find the picture among the program's resources; a test's tables may give them.
struct HolderRecord
{
    const char *fileName;
    const std::uint8_t *bytes;
    std::size_t size;
};

struct ContainerRecord
{
    const SlotRecord *slots; // seven consecutive question numbers
    std::size_t slotCount;
    const HolderRecord *holders;
    std::size_t holderCount;
};

// frmQ: questions 51 to 57 and every picture holder; frmQ2: questions 58 to 64.
extern const ContainerRecord frmQ;
extern const ContainerRecord frmQ2;

} // namespace tovarin::bankdata
