#include "scene/Sprite.h"

#include "scene/SpriteEngine.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace {

// Round to nearest with halves to even, as the hit test needs.
int RoundEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

TSprite::TSprite(TSprite *parent) : Parent(parent)
{
    if (!Parent)
        return;
    Engine = dynamic_cast<TSpriteEngine *>(Parent);
    if (!Engine)
        Engine = Parent->Engine;
    Parent->Children.push_back(this);
    File();
}

TSprite::~TSprite()
{
    Clear();
    if (Parent) {
        auto &siblings = Parent->Children;
        siblings.erase(std::find(siblings.begin(), siblings.end(), this));
        Unfile();
    }
    if (Engine) {
        auto &kills = Engine->KillList;
        kills.erase(std::remove(kills.begin(), kills.end(), this), kills.end());
    }
}

QRect TSprite::GetBounds() const
{
    return QRect(static_cast<int>(AbsoluteX()), static_cast<int>(AbsoluteY()), Width, Height);
}

void TSprite::Kill()
{
    if (!Engine || Killed)
        return;
    Killed = true;
    Engine->KillList.push_back(this);
}

void TSprite::Clear()
{
    // Each child's destructor takes itself out of Children.
    while (!Children.empty())
        delete Children.back();
}

void TSprite::SetZ(int value)
{
    if (value == Z)
        return;
    Z = value;
    if (Parent) {
        Unfile();
        File();
    }
}

TSprite *TSprite::Child(int index) const
{
    if (Children.empty())
        throw std::out_of_range("Index of the list exceeds the range. (" + std::to_string(index) +
                                ")");
    if (index < 0 || index >= ChildCount())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return Children[index];
}

double TSprite::AbsoluteX() const
{
    return Parent ? X + Parent->AbsoluteX() : X;
}

double TSprite::AbsoluteY() const
{
    return Parent ? Y + Parent->AbsoluteY() : Y;
}

void TSprite::Move(int lagCount)
{
    Step(lagCount);
    // The count is taken once, so children made during the walk wait for the next frame.
    const std::size_t count = Children.size();
    for (std::size_t i = 0; i < count && i < Children.size(); ++i)
        Children[i]->Move(lagCount);
}

void TSprite::Render()
{
    if (!Visible)
        return;
    if (Engine && RectsOverlap(GetBounds(), Engine->SurfaceRect))
        Paint();
    for (TSprite *child : DrawOrder)
        child->Render();
}

bool TSprite::RectsOverlap(const QRect &a, const QRect &b)
{
    return a.x() < b.x() + b.width() && b.x() < a.x() + a.width() && a.y() < b.y() + b.height() &&
           b.y() < a.y() + a.height();
}

TSprite *TSprite::SpriteAt(int x, int y)
{
    TSprite *result = nullptr;
    const double px = x - X;
    const double py = y - Y;
    for (TSprite *child : Children)
        child->HitTest(px, py, result);
    return result;
}

void TSprite::HitTest(double px, double py, TSprite *&result)
{
    if (Visible) {
        const int left = RoundEven(X);
        const int top = RoundEven(Y);
        const int pointX = RoundEven(px);
        const int pointY = RoundEven(py);
        if (left <= pointX && pointX <= left + Width && top <= pointY && pointY <= top + Height &&
            (!result || result->Z < Z))
            result = this;
    }
    for (TSprite *child : Children)
        child->HitTest(px - X, py - Y, result);
}

void TSprite::File()
{
    auto &order = Parent->DrawOrder;
    // Lower bound: the first sibling whose Z is not below ours, so the newest of a layer leads.
    int low = 0;
    int high = static_cast<int>(order.size()) - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        if (order[middle]->Z < Z)
            low = middle + 1;
        else
            high = middle - 1;
    }
    order.insert(order.begin() + low, this);
}

void TSprite::Unfile()
{
    auto &order = Parent->DrawOrder;
    order.erase(std::find(order.begin(), order.end(), this));
}
