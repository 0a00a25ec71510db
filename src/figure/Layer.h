#pragma once

#include "crystal/Symmetry.h"
#include "projection/Projector.h"
#include "surface/DrawingSurface.h"

#include <array>
#include <initializer_list>
#include <optional>

// What a layer is drawn with besides its projector: the pen width of the
// net's lines in pixels, the highest index of a generated net's poles and,
// when they show only the reflections a space group allows, the group.
struct LayerOptions
{
    int lineWidth = 1;
    int netLimit = 3;
    std::optional<SpaceGroup> reflections;
    // The second crystal's net: open squares for its poles, labels in italics.
    bool second = false;
    bool operator==(const LayerOptions&) const = default;
};

// One part of a picture: a documented net, the primitive circle, a Wulff
// net, a crystal's generated net or its zone circles. Every layer is drawn
// the same way, through the surface with the projector of its crystal (a
// layer fixed to the paper uses only its frame), and leaves the pen at the
// line width, the fill open and the tone full.
class Layer
{
public:
    virtual ~Layer() = default;
    virtual void draw(
        DrawingSurface& surface, const Projector& projector, const LayerOptions& options) const = 0;
    // Whether it takes long enough to draw that its pixels are worth keeping
    // while the crystal turns over it.
    virtual bool costly() const { return false; }
};

// A few layers in drawing order; a value, compared layer by layer.
class Layers
{
public:
    Layers() = default;
    Layers(std::initializer_list<const Layer*> layers)
    {
        for (const Layer* layer : layers)
            if (layer && m_count < int(m_layers.size()))
                m_layers[std::size_t(m_count++)] = layer;
    }
    const Layer* const* begin() const { return m_layers.data(); }
    const Layer* const* end() const { return m_layers.data() + m_count; }
    bool empty() const { return m_count == 0; }
    bool operator==(const Layers&) const = default;

private:
    std::array<const Layer*, 4> m_layers {};
    int m_count = 0;
};
