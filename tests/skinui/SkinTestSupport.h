#pragma once

#include "skin/SkinResources.h"
#include "skinui/CSequenceButtonUI.h"
#include "skinui/CSequenceLabelUI.h"
#include "skinui/CSkinFrame.h"
#include "skinui/Text.h"
#include "skinui/Toolkit.h"
#include "skinui/host/OffscreenHost.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace SkinTest {

using namespace SkinUI;

/// An installer-style window over the linked-in skin (or a folder on disk) that records its notifications.
class TestFrame : public CSkinFrame {
public:
    TestFrame(OffscreenHost& host, const std::wstring& layout, int kind = kResourceZipResource)
        : CSkinFrame(kind, 147, L"", layout, ClassNameFromLayout(layout), &host)
    {
        Toolkit::SetResourceFinder(&SkinResources::Find);
        CWindowShadow::Initialize(host);
    }
    ~TestFrame() override = default;
    using CSkinFrame::GetWindowClassName;
    using CSkinFrame::GetSkinFile;

    WindowHandle Open() { return Create(kNoWindow, L"test", Style::OverlappedWindow, 0); }

    void Notify(Notification& msg) override
    {
        log.push_back(msg.type + L":" + (msg.sender ? msg.sender->GetName() : L"") + L":" + std::to_wstring(msg.wParam));
        CSkinFrame::Notify(msg);
    }
    std::unique_ptr<Control> CreateControl(std::wstring_view name) override
    {
        if (EqualsNoCase(name, L"SequenceLabel")) {
            return std::make_unique<CSequenceLabelUI>();
        }
        if (EqualsNoCase(name, L"SequenceButton")) {
            return std::make_unique<CSequenceButtonUI>();
        }
        return nullptr;
    }

    std::vector<std::wstring> log;
};

/// A temporary skin folder on disk, removed at the end of the test.
class TempSkin {
public:
    TempSkin()
    {
        char tmpl[] = "/tmp/skinui-test-XXXXXX";
        dir_ = mkdtemp(tmpl);
        Toolkit::SetInstancePath(FromUtf8(dir_.string()));
    }
    ~TempSkin() { std::filesystem::remove_all(dir_); }
    void Write(const std::string& name, const std::string& text) const
    {
        const auto path = dir_ / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    std::filesystem::path Path(const std::string& name) const { return dir_ / name; }

private:
    std::filesystem::path dir_;
};

inline Point Center(const Control* c)
{
    const Rect& r = c->GetPos();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace SkinTest
