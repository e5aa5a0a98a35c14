// Renders every page of the main window and every message window of the
// linked-in skin to PNG, as the installer shows them. Usage: lp_skin_render <folder>
#include "skin/SkinResources.h"
#include "skinui/CSequenceLabelUI.h"
#include "skinui/CSkinFrame.h"
#include "skinui/Progress.h"
#include "skinui/TabLayout.h"
#include "skinui/Text.h"
#include "skinui/Toolkit.h"
#include "skinui/host/OffscreenHost.h"

#include <cstdio>
#include <string>

namespace {

using namespace SkinUI;

class Frame : public CSkinFrame {
public:
    Frame(OffscreenHost& host, const std::wstring& layout)
        : CSkinFrame(kResourceZipResource, SkinResources::kSkinId, L"", layout, ClassNameFromLayout(layout), &host)
    {
    }

protected:
    std::unique_ptr<Control> CreateControl(std::wstring_view name) override
    {
        if (EqualsNoCase(name, L"SequenceLabel")) {
            return std::make_unique<CSequenceLabelUI>();
        }
        return nullptr;
    }
};

int g_failures = 0;

void Render(OffscreenHost& host, Frame& w, const std::string& path)
{
    if (!host.RenderToPng(w.GetHWND(), path, true)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        ++g_failures;
    } else {
        std::printf("%s\n", path.c_str());
    }
}

void MainPages(const std::string& out)
{
    const wchar_t* backgrounds[] = {L"res\\mainWnd\\bg1.png", L"res\\mainWnd\\bg2.png", L"res\\mainWnd\\bg3.png",
                                    L"res\\mainWnd\\bg4.png"};
    for (int page = 0; page < 4; ++page) {
        OffscreenHost host;
        Frame w(host, L"MainWnd.xml");
        w.Create(kNoWindow, L"Lumapane", Style::OverlappedWindow, 0);
        w.ShowWindow();
        // Dressed as the main window dresses each page.
        w.FindControl<TabLayout>(L"mainTabLt")->SelectItem(page);
        w.FindControl(L"winCtn")->SetBkImage(backgrounds[page]);
        w.FindControl<TabLayout>(L"titleTabLt")->SelectItem(page == 3 ? 2 : 1);
        w.FindControl(L"backBtn")->SetVisible(page == 1);
        w.FindControl(L"titleGrpCtn")->SetVisible(page != 2);
        if (page == 1) {
            w.FindControl(L"installDirEdit")->SetText(L"/opt/Lumapane");
        }
        if (page == 2) {
            w.FindControl(L"progressLb")->SetText(L"正在安装中:35%，请稍候...");
            w.FindControl<Progress>(L"installPrg")->SetValue(35);
            host.Advance(30 * 20);
        }
        Render(host, w, out + "/mainWnd-page" + std::to_string(page) + ".png");
    }
}

void MessageWindows(const std::string& out)
{
    const struct {
        const wchar_t* layout;
        const wchar_t* text;
        const wchar_t* caption;
    } boxes[] = {
        {L"MessageBox1Wnd.xml", L"安装程序检测到Lumapane\r\n正在运行，请退出程序后再安装", L"温馨提示"},
        {L"MessageBox2Wnd.xml", L"当前磁盘剩余空间低于1GB，请修改安装路径", L"温馨提示"},
        {L"ExitTipWnd.xml", nullptr, nullptr},
        {L"NetworkTipWnd.xml", nullptr, nullptr},
        {L"InstalledPathTipWnd.xml", nullptr, nullptr},
    };
    for (const auto& b : boxes) {
        OffscreenHost host;
        Frame w(host, b.layout);
        w.Create(kNoWindow, L"消息框", Style::OverlappedWindow, 0);
        if (b.text) {
            w.FindControl(L"textLbl")->SetText(b.text);
            w.FindControl(L"captionLbl")->SetText(b.caption);
        }
        w.ShowWindow();
        std::string name = ToUtf8(b.layout);
        name = name.substr(0, name.find('.'));
        Render(host, w, out + "/" + name + ".png");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    Toolkit::SetResourceFinder(&SkinResources::Find);
    OffscreenHost probe;
    CWindowShadow::Initialize(probe);
    MainPages(argv[1]);
    MessageWindows(argv[1]);
    return g_failures == 0 ? 0 : 1;
}
