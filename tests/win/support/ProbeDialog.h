#pragma once
// A skin dialog for in-process tests: it runs a body inside its initialisation,
// records what its hooks receive, and can be driven from a second thread (with
// real input) while its own modal loop runs.
#include "tests/support/Bmp.h"
#include "dialog/SkinDialog.h"
#include "tests/support/TempDir.h"

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class ProbeDialog : public SkinDialog {
public:
    using Body = std::function<void(ProbeDialog&)>;

    // Runs `body` inside OnInitDialog, then ends the dialog.
    explicit ProbeDialog(Body body);
    // Runs `body` inside OnInitDialog, then `driver` on a thread of its own
    // while the modal loop runs; the dialog ends when the driver returns.
    ProbeDialog(Body body, Body driver);
    ~ProbeDialog() override;

    // What the hooks received, in order; safe to read from the driver.
    struct Move {
        std::string name;
        int hoverAtReport; // the named button's hover flag when it reported (-1: no such button)
    };
    std::vector<Move> Moves() const;
    std::vector<std::string> Clicks() const; // "index name", labels' as "label index name"
    // Reports of the other kinds: "buttonex name", "progress name", "scroll name code position".
    std::vector<std::string> Events() const;
    void ClearRecords();

    // Runs `fn` on the dialog's thread, for a driver that reads or changes the controls.
    void OnDialogThread(const std::function<void()>& fn);

    void ButtonClicked(int index) override;
    void TextClicked(int index) override;

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnControlMouseMove(std::string name, POINT point) override;
    void OnButtonClick(std::string name) override;
    void OnTextClick(std::string name) override;
    void OnButtonExClick(std::string name) override;
    void OnProgressClick(std::string name) override;
    void OnTrackbarScroll(std::string name, int code, int pos) override;

private:
    Body m_body;
    Body m_driver;
    std::thread m_driving;
    mutable std::mutex m_lock;
    std::vector<Move> m_moves;
    std::vector<std::string> m_clicks;
    std::vector<std::string> m_events;
    int m_clickedIndex = -1;
};

// Driving a probe dialog from its driver: the pointer to (x, y) of the
// dialog's client area; the moves reported while it rests there, nudged once
// so that it is seen; whether any of them was over the control `name`.
void MoveTo(HWND dialog, int x, int y);
std::vector<ProbeDialog::Move> MovesAt(ProbeDialog& d, int x, int y);
bool MovedOver(const std::vector<ProbeDialog::Move>& moves, const std::string& name);

// Handles held by the platform's owners now.
long OwnedGdiObjects();
// Windows of the calling thread: top-level ones (tooltips are) and all their children.
int ThreadWindows();
// The owned handles, the process's GDI objects (LiveGdiObjects) and the thread's windows at one moment.
struct Resources { long owned; int live; int windows; };
Resources CountResources();

// The skin loaded `times` times in a probe dialog, then freed: the resources
// before the first counted load (after one load and free, as the platform
// makes some windows of its own once per thread), after it, after all, and
// after FreeSkin; `ran` is false when the dialog did not run. Each load is at
// `dpi`, or at the window's when it is 0.
struct ReloadCounts {
    bool ran;
    Resources before, first, all, freed;
};
ReloadCounts CountReloads(const std::string& skin, int times, int dpi = 0);

// Main, Over, Down and Disabled pictures of one size that differ in every pixel.
struct LookPictures {
    LookPictures() = default;
    LookPictures(int width, int height);

    // Writes them as a skin with these BUTTONINFO lines; returns the path of main.ini.
    std::string WriteSkin(const TempDir& dir, const std::string& buttonLines,
                          const std::string& downName = "down.bmp") const;
    // The part of `picture` that a button at `rect` shows.
    static std::vector<std::uint32_t> Part(const TestPicture& picture, const RECT& rect);

    TestPicture main;
    TestPicture over;
    TestPicture down;
    TestPicture disabled;
};
