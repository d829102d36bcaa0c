#pragma once

#include "scene/PictureItem.h"

#include <QString>
#include <memory>
#include <vector>

// The ordered collection of a picture list's items.
class TPictureItems
{
public:
    TPictureItem &Add();
    int Count() const { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range outside 0..Count() - 1.
    TPictureItem &Item(int index) const;
    // The item whose Name equals name ignoring case; throws std::runtime_error
    // "Image '<name>' not found" when there is none.
    TPictureItem &FindItem(const QString &name) const;

private:
    std::vector<std::unique_ptr<TPictureItem>> items_;
};
