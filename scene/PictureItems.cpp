#include "scene/PictureItems.h"

#include <stdexcept>
#include <string>

TPictureItem &TPictureItems::Add()
{
    items_.push_back(std::make_unique<TPictureItem>());
    return *items_.back();
}

TPictureItem &TPictureItems::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return *items_[index];
}

TPictureItem &TPictureItems::FindItem(const QString &name) const
{
    for (const auto &item : items_)
        if (item->Name.compare(name, Qt::CaseInsensitive) == 0)
            return *item;
    throw std::runtime_error("Image '" + name.toStdString() + "' not found");
}
