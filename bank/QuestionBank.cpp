#include "bank/QuestionBank.h"

#include <QResource>
#include <QString>

#include <stdexcept>

namespace tovarin {
namespace {

// A picture compiled into the program as the resource :/pictures/<name>, uncompressed; nothing
// for an empty holder's "" or a name without a resource.
std::span<const std::uint8_t> resourceBytes(std::string_view fileName)
{
    if (fileName.empty())
        return {};
    const QResource resource(QStringLiteral(":/pictures/")
        + QString::fromUtf8(fileName.data(), qsizetype(fileName.size())));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return { resource.data(), static_cast<std::size_t>(resource.size()) };
}

} // namespace

std::span<const std::uint8_t> PictureHolder::bytes() const
{
    return m_fromResources ? resourceBytes(m_fileName) : m_bytes;
}

// A container made ready: its variants as the program holds them and its picture holders,
// whose addresses the exam paper keeps.
class QuestionBank::Container
{
public:
    explicit Container(const bankdata::ContainerRecord &record)
    {
        m_holders.reserve(record.holderCount);
        for (std::size_t h = 0; h < record.holderCount; ++h) {
            const bankdata::HolderRecord &holder = record.holders[h];
            m_holders.push_back(holder.bytes
                    ? PictureHolder(holder.fileName, std::span(holder.bytes, holder.size))
                    : PictureHolder::fromResources(holder.fileName));
        }
        for (std::size_t s = 0; s < record.slotCount; ++s) {
            const bankdata::SlotRecord &slot = record.slots[s];
            Slot &held = m_slots.emplace_back();
            held.poolSize = slot.poolSize;
            for (std::int16_t v = 0; v < slot.poolSize; ++v) {
                const bankdata::VariantRecord &r = slot.variants[v];
                QuestionVariant &variant = held.variants.emplace_back();
                variant.QuestionText = r.question;
                for (std::size_t c = 0; c < 4; ++c)
                    variant.ChoiceText[c] = r.choices[c];
                variant.CorrectChoice = r.correct;
                variant.LayoutType = r.layout;
                variant.PictureRef = r.holder >= 0 ? &m_holders.at(std::size_t(r.holder)) : nullptr;
            }
        }
    }

    struct Slot
    {
        std::int16_t poolSize = 0;
        std::vector<QuestionVariant> variants;
    };

    const Slot &slot(std::size_t k) const { return m_slots.at(k); }

private:
    std::vector<PictureHolder> m_holders; // never resized after construction: references stay valid
    std::vector<Slot> m_slots;
};

QuestionBank &QuestionBank::builtIn()
{
    static QuestionBank bank(bankdata::frmQ, bankdata::frmQ2);
    return bank;
}

QuestionBank::QuestionBank(
    const bankdata::ContainerRecord &frmQ, const bankdata::ContainerRecord &frmQ2)
    : m_frmQRecord(frmQ)
    , m_frmQ2Record(frmQ2)
{
}

QuestionBank::~QuestionBank() = default;

const QuestionBank::Container &QuestionBank::containerOf(std::int16_t slotIndex) const
{
    if (slotIndex < 0 || slotIndex >= slotCount)
        throw std::out_of_range("question index " + std::to_string(slotIndex) + " outside 0 to "
            + std::to_string(lastQuestionIndex));
    const bool inFrmQ = slotIndex < firstFrmQ2Index;
    std::unique_ptr<Container> &held = inFrmQ ? m_frmQ : m_frmQ2;
    if (!held)
        held = std::make_unique<Container>(inFrmQ ? m_frmQRecord : m_frmQ2Record);
    return *held;
}

std::int16_t QuestionBank::PoolSize(std::int16_t slotIndex) const
{
    return containerOf(slotIndex).slot(std::size_t(slotIndex % firstFrmQ2Index)).poolSize;
}

QuestionVariant QuestionBank::Variant(std::int16_t slotIndex, std::int16_t variantIndex) const
{
    const Container::Slot &slot
        = containerOf(slotIndex).slot(std::size_t(slotIndex % firstFrmQ2Index));
    return slot.variants.at(std::size_t(variantIndex));
}

std::string_view QuestionBank::sectionName(std::int16_t slotIndex)
{
    return slotIndex < firstSectionIIIndex ? "上級運航 I" : "上級運航 II";
}

} // namespace tovarin
