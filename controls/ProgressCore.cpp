#include "controls/ProgressCore.h"

std::int32_t ProgressCore::PercentAt(std::int32_t x, std::int32_t y, std::int32_t width,
                                     std::int32_t height) const
{
    const std::int64_t along = m_vertical ? y : x;
    const std::int64_t length = m_vertical ? height : width;
    if (length <= 0)
        return m_percent;
    // 64 bits: a position times 100 must not overflow for any rectangle.
    return static_cast<std::int32_t>(along * 100 / length);
}

void ProgressCore::Press(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    m_percent = PercentAt(x, y, width, height);
    m_dragging = true;
}

bool ProgressCore::Move(bool hover, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    // The hover ends when the pointer leaves and does not come back while the
    // button is held, so a drag that left the bar stops following it.
    if (!hover || !m_dragging)
        return false;
    m_percent = PercentAt(x, y, width, height);
    return true;
}

void ProgressCore::Key(ProgressKey key)
{
    static constexpr std::int32_t kSteps[] = {-1, 1, -10, 10};
    const std::int32_t percent = key == ProgressKey::Home  ? 0
                                 : key == ProgressKey::End ? 100
                                                           : m_percent + kSteps[static_cast<int>(key)];
    m_percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
}

std::int32_t ProgressCore::FilledWidth(std::int32_t width) const
{
    return m_vertical ? width : static_cast<std::int32_t>(std::int64_t{width} * m_percent / 100);
}

std::int32_t ProgressCore::FilledHeight(std::int32_t height) const
{
    return m_vertical ? static_cast<std::int32_t>(std::int64_t{height} * m_percent / 100) : height;
}
