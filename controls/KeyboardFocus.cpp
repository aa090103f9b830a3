#include "controls/KeyboardFocus.h"

namespace {

int Neighbour(int count, int current, bool backward)
{
    if (current < 0 || current >= count)
        return backward ? count - 1 : 0;
    return backward ? (current + count - 1) % count : (current + 1) % count;
}

} // namespace

FocusMove KeyboardFocus::OnKey(NavKey key, bool shift, int count, int current, bool currentTakesArrows,
                               bool* changed)
{
    const bool navigates = key != NavKey::Other;
    if (changed)
        *changed = navigates && !m_cuesShown;
    m_cuesShown = m_cuesShown || navigates;
    const bool arrow = key == NavKey::Left || key == NavKey::Right || key == NavKey::Up || key == NavKey::Down;
    if (count <= 0 || !(key == NavKey::Tab || arrow) || (arrow && currentTakesArrows && current >= 0))
        return {};
    const bool backward = key == NavKey::Tab ? shift : key == NavKey::Left || key == NavKey::Up;
    return {true, Neighbour(count, current, backward)};
}
