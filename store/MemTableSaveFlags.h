#pragma once

#include <cstdint>
#include <initializer_list>

// The save flags of a table file, bit 0 first. The program's tables save with
// sfSaveData alone.
enum TvekMemTableSaveFlag
{
    sfSaveData,
    sfSaveCalculated,
    sfSaveLookup,
    sfSaveNonVisible,
    sfSaveBlobs,
    sfSaveDef,
    sfSaveIndexDef,
    sfSkipRest,
    sfSaveFiltered,
    sfSaveInLocalFormat,
    sfSaveIgnoreRange,
    sfSaveIgnoreMasterDetail,
    sfSaveDeltas,
    sfSaveDontFilterDeltas,
    sfSaveAppend,
    sfSaveFieldKind,
    sfSaveNoHeader,
};

// A set of TvekMemTableSaveFlag, e.g. TvekMemTableSaveFlags{sfSaveData, sfSaveDef}.
class TvekMemTableSaveFlags
{
public:
    constexpr TvekMemTableSaveFlags() = default;
    constexpr TvekMemTableSaveFlags(std::initializer_list<TvekMemTableSaveFlag> flags)
    {
        for (TvekMemTableSaveFlag flag : flags)
            Include(flag);
    }

    constexpr bool Contains(TvekMemTableSaveFlag flag) const { return (bits_ & Bit(flag)) != 0; }
    constexpr void Include(TvekMemTableSaveFlag flag) { bits_ |= Bit(flag); }
    constexpr void Exclude(TvekMemTableSaveFlag flag) { bits_ &= ~Bit(flag); }
    constexpr std::uint32_t Bits() const { return bits_; }
    constexpr bool operator==(const TvekMemTableSaveFlags &) const = default;

private:
    static constexpr std::uint32_t Bit(TvekMemTableSaveFlag flag)
    {
        return std::uint32_t{1} << static_cast<unsigned>(flag);
    }

    std::uint32_t bits_ = 0;
};
