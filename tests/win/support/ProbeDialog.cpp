#include "tests/win/support/ProbeDialog.h"

#include "tests/win/support/Desktop.h"
#include "tests/win/support/GdiTestSupport.h"
#include "controls/ImageButton.h"
#include "platform/Win32Handles.h"

#include <algorithm>

namespace {
constexpr UINT kRunOnThread = WM_APP + 1;
}

ProbeDialog::ProbeDialog(Body body) : SkinDialog(102, nullptr), m_body(std::move(body)) {}

ProbeDialog::ProbeDialog(Body body, Body driver)
    : SkinDialog(102, nullptr), m_body(std::move(body)), m_driver(std::move(driver))
{
}

ProbeDialog::~ProbeDialog()
{
    if (m_driving.joinable())
        m_driving.join();
}

bool ProbeDialog::OnInitDialog()
{
    SkinDialog::OnInitDialog();
    if (m_body)
        m_body(*this);
    if (!m_driver) {
        EndDialog(IDOK);
        return true;
    }
    m_driving = std::thread([this] {
        m_driver(*this);
        PostMessage(WM_COMMAND, IDOK);
    });
    return true;
}

LRESULT ProbeDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kRunOnThread) {
        (*reinterpret_cast<const std::function<void()>*>(lp))();
        return 0;
    }
    return SkinDialog::WindowProc(msg, wp, lp);
}

void ProbeDialog::OnDialogThread(const std::function<void()>& fn)
{
    SendMessage(kRunOnThread, 0, reinterpret_cast<LPARAM>(&fn));
}

void ProbeDialog::OnControlMouseMove(std::string name, POINT)
{
    int hover = -1;
    for (int i = 0; i < m_buttons.GetSize(); ++i)
        if (!name.empty() && m_buttons.GetAt(i)->m_name == name)
            hover = m_buttons.GetAt(i)->m_face.m_hover;
    std::lock_guard<std::mutex> hold(m_lock);
    m_moves.push_back(Move{std::move(name), hover});
}

void ProbeDialog::ButtonClicked(int index)
{
    m_clickedIndex = index;
    SkinDialog::ButtonClicked(index);
}

void ProbeDialog::OnButtonClick(std::string name)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_clicks.push_back(std::to_string(m_clickedIndex) + " " + name);
}

void ProbeDialog::TextClicked(int index)
{
    m_clickedIndex = index;
    SkinDialog::TextClicked(index);
}

void ProbeDialog::OnTextClick(std::string name)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_clicks.push_back("label " + std::to_string(m_clickedIndex) + " " + name);
}

std::vector<ProbeDialog::Move> ProbeDialog::Moves() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_moves;
}

std::vector<std::string> ProbeDialog::Clicks() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_clicks;
}

std::vector<std::string> ProbeDialog::Events() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_events;
}

void ProbeDialog::OnButtonExClick(std::string name)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_events.push_back("buttonex " + name);
}

void ProbeDialog::OnProgressClick(std::string name)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_events.push_back("progress " + name);
}

void ProbeDialog::OnTrackbarScroll(std::string name, int code, int pos)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_events.push_back("scroll " + name + " " + std::to_string(code) + " " + std::to_string(pos));
}

void ProbeDialog::ClearRecords()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_moves.clear();
    m_clicks.clear();
    m_events.clear();
}

long OwnedGdiObjects()
{
    using namespace platform;
    return UniqueBitmap::LiveCount() + UniqueRegion::LiveCount() + UniqueFont::LiveCount() + MemoryDc::LiveCount() +
           WindowDc::LiveCount() + GlobalMemory::LiveCount();
}

int ThreadWindows()
{
    int count = 0;
    auto countTree = [](HWND wnd, LPARAM lp) -> BOOL {
        ++*reinterpret_cast<int*>(lp);
        ::EnumChildWindows(wnd, [](HWND, LPARAM l) -> BOOL { return ++*reinterpret_cast<int*>(l), TRUE; }, lp);
        return TRUE;
    };
    ::EnumThreadWindows(::GetCurrentThreadId(), countTree, reinterpret_cast<LPARAM>(&count));
    return count;
}

void MoveTo(HWND dialog, int x, int y)
{
    POINT p{x, y};
    ::ClientToScreen(dialog, &p);
    MoveMouse(p.x, p.y);
}

std::vector<ProbeDialog::Move> MovesAt(ProbeDialog& d, int x, int y)
{
    d.ClearRecords();
    MoveTo(d.m_hWnd, x, y);
    MoveTo(d.m_hWnd, x + 1, y);
    Pump(150);
    return d.Moves();
}

bool MovedOver(const std::vector<ProbeDialog::Move>& moves, const std::string& name)
{
    return std::any_of(moves.begin(), moves.end(), [&](const ProbeDialog::Move& m) { return m.name == name; });
}

Resources CountResources()
{
    return Resources{OwnedGdiObjects(), LiveGdiObjects(), ThreadWindows()};
}

ReloadCounts CountReloads(const std::string& skin, int times, int dpi)
{
    ReloadCounts counts{};
    ProbeDialog dialog([&](ProbeDialog& d) {
        // Every look decoded, as after the first paint.
        const auto load = [&d, dpi] {
            if (dpi)
                d.LoadSkinAt(dpi);
            else
                d.LoadSkin();
            d.m_pictures.DecodeWaiting();
        };
        d.SetSkinPath(skin);
        load();
        d.FreeSkin();
        counts.before = CountResources();
        load();
        counts.first = CountResources();
        for (int i = 1; i < times; ++i)
            load();
        counts.all = CountResources();
        d.FreeSkin();
        counts.freed = CountResources();
    });
    counts.ran = dialog.DoModal() == IDOK;
    return counts;
}

LookPictures::LookPictures(int width, int height)
    : main(PatternPicture(width, height, 0)), over(PatternPicture(width, height, 60)),
      down(PatternPicture(width, height, 120)), disabled(PatternPicture(width, height, 180))
{
}

std::string LookPictures::WriteSkin(const TempDir& dir, const std::string& buttonLines,
                                    const std::string& downName) const
{
    dir.Write("Data/main.bmp", EncodeBmp24(main));
    dir.Write("Data/over.bmp", EncodeBmp24(over));
    dir.Write("Data/down.bmp", EncodeBmp24(down));
    dir.Write("Data/disabled.bmp", EncodeBmp24(disabled));
    return dir.Write("Data/main.ini", "[Screen]\nMain=main.bmp\nOver=over.bmp\nDown=" + downName +
                                          "\nDisabled=disabled.bmp\n[BUTTONINFO]\n" + buttonLines);
}

std::vector<std::uint32_t> LookPictures::Part(const TestPicture& picture, const RECT& rect)
{
    return CropPicture(picture, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top).pixels;
}
