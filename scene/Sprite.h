#pragma once

#include <QRect>
#include <vector>

class TSpriteEngine;
class TPictureItem;

// What one sprite's Paint puts on the surface, in a form cheap to compare: two sprites with equal
// steps paint equal pixels over equal backgrounds. A step without a picture paints nothing.
struct TPaintStep
{
    const TPictureItem *picture = nullptr;
    QRect target;
    int pattern = 0;
    int alpha = 0; // 1..255, 255 opaque
    bool keyed = false;
    unsigned key = 0;

    bool operator==(const TPaintStep &other) const = default;
};

// A node of the scene's sprite tree. A sprite owns its children, keeps them in creation order
// (Children) and in painting order (DrawOrder, ascending Z, the most recently filed first among
// equal Z). Destruction while iterating is deferred with Kill and the root's FreeKilled.
class TSprite
{
public:
    // Makes a sprite under parent (empty only for a root) and files it at Z 0.
    explicit TSprite(TSprite *parent);
    virtual ~TSprite();
    TSprite(const TSprite &) = delete;
    TSprite &operator=(const TSprite &) = delete;

    // Hook with no caller in this program.
    virtual void DoNothing() {}
    // Paints this one sprite onto the engine's surface.
    virtual void Paint() {}
    // Per-sprite advance by lagCount milliseconds.
    virtual void Step(int lagCount) { (void)lagCount; }
    // The rectangle tested against the surface before painting.
    virtual QRect GetBounds() const;
    // Collision test between two sprites; no caller in this program.
    virtual bool Overlaps(const TSprite &other) const
    {
        (void)other;
        return true;
    }
    // Puts the sprite on the root's kill list once; it lives on until FreeKilled.
    virtual void Kill();
    // Fills step with what Paint would put on the surface now. False when unknown: the engine then
    // takes every frame for a changed one. A class that overrides Paint must keep this true to it.
    virtual bool PaintStepNow(TPaintStep &step) const
    {
        (void)step;
        return false;
    }

    // Destroys every child, the last one first.
    void Clear();
    // Changes Z and files the sprite in front of its new layer among its siblings.
    void SetZ(int value);

    int ChildCount() const { return static_cast<int>(Children.size()); }
    // Throws std::out_of_range outside 0..ChildCount() - 1.
    TSprite *Child(int index) const;
    const std::vector<TSprite *> &DrawOrderList() const { return DrawOrder; }

    // Strict overlap of two half-open rectangles, as the painting test uses it.
    static bool RectsOverlap(const QRect &a, const QRect &b);

    double AbsoluteX() const;
    double AbsoluteY() const;

    // Step, then the children's Move in creation order; hidden sprites keep animating.
    void Move(int lagCount);
    // Paints the sprite (when on the surface) and its subtree in Z order, unless hidden.
    void Render();
    // The topmost visible sprite of this subtree under (x, y), or nullptr. Right and bottom
    // edges count; among equal Z the one reached first in creation order wins.
    TSprite *SpriteAt(int x, int y);

    TSpriteEngine *Engine = nullptr;
    TSprite *Parent = nullptr;
    bool Killed = false;
    bool Visible = true;
    double X = 0;
    double Y = 0;
    int Z = 0;
    int Width = 0;
    int Height = 0;

private:
    void File();
    void Unfile();
    void HitTest(double px, double py, TSprite *&result);

    // The design names these two lists, so they keep its names.
    std::vector<TSprite *> Children;  // NOLINT(readability-identifier-naming) owning
    std::vector<TSprite *> DrawOrder; // NOLINT(readability-identifier-naming)
};
