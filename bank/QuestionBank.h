// The built-in question bank: fourteen pools of alternative questions, one per question number
// 51 to 64, and the pictures of questions 55 and 56. Read-only; the draw of a test
// (paper/ExamPaper) is its only reader apart from the screens that show a drawn picture.
//
// The data lives in two containers, frmQ (questions 51 to 57 and every picture holder) and
// frmQ2 (58 to 64). Each is made ready the first time a question of its own is asked for and
// then stays ready, unchanged, until the program ends, so a picture reference stays valid.
#pragma once

#include "bank/BankTables.h"
#include "bank/QuestionNumbers.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

// A picture holder of the bank: a BMP picture as its file bytes, or empty. The program's own
// holders find their bytes among the program's resources when first asked for them, so that
// making the bank ready touches no picture's pages; a test's holders are given their bytes.
class PictureHolder
{
public:
    PictureHolder(std::string_view fileName, std::span<const std::uint8_t> bytes)
        : m_fileName(fileName)
        , m_bytes(bytes)
    {
    }
    static PictureHolder fromResources(std::string_view fileName)
    {
        PictureHolder holder(fileName, {});
        holder.m_fromResources = !fileName.empty();
        return holder;
    }
    bool isEmpty() const { return m_fromResources ? false : m_bytes.empty(); }
    std::string_view fileName() const { return m_fileName; } // "" for an empty holder
    std::span<const std::uint8_t> bytes() const;

private:
    std::string_view m_fileName;
    std::span<const std::uint8_t> m_bytes;
    bool m_fromResources = false;
};

// One question: a variant of the bank and, drawn, an entry of the exam paper (ExamQuestion is
// the same record). Handed out as copies of its texts and numbers; the picture holder (slots 55
// and 56 only) by reference.
struct QuestionVariant
{
    std::string QuestionText;
    std::array<std::string, 5> ChoiceText; // 0 to 3: choices (1) to (4); 4 is never used
    std::int16_t CorrectChoice = 0;
    const PictureHolder *PictureRef = nullptr;
    std::int16_t LayoutType = 0;
};

class QuestionBank
{
public:
    static constexpr int slotCount = questionCount;

    // The program's own bank, built from bank/data and bank/pictures.
    static QuestionBank &builtIn();

    // A bank over other tables, for tests of the bank's readers.
    QuestionBank(const bankdata::ContainerRecord &frmQ, const bankdata::ContainerRecord &frmQ2);
    ~QuestionBank();
    QuestionBank(const QuestionBank &) = delete;
    QuestionBank &operator=(const QuestionBank &) = delete;

    std::int16_t PoolSize(std::int16_t slotIndex) const;
    QuestionVariant Variant(std::int16_t slotIndex, std::int16_t variantIndex) const;

    static std::int16_t questionNumber(std::int16_t slotIndex)
    {
        return std::int16_t(slotIndex + firstQuestionNumber);
    }
    // "上級運航 I" for questions 51 to 58, "上級運航 II" for 59 to 64.
    static std::string_view sectionName(std::int16_t slotIndex);

private:
    class Container;
    const Container &containerOf(std::int16_t slotIndex) const;

    const bankdata::ContainerRecord &m_frmQRecord;
    const bankdata::ContainerRecord &m_frmQ2Record;
    mutable std::unique_ptr<Container> m_frmQ;
    mutable std::unique_ptr<Container> m_frmQ2;
};

} // namespace tovarin
