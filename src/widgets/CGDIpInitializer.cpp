#include "widgets/CGDIpInitializer.h"

#include <QFile>

#include <atomic>
#include <mutex>

#include "widgets/FontSubstitutions.h"
#include "widgets/PngResource.h"

namespace quavelo {

namespace {

std::once_flag startOnce;
std::atomic<int> starts{0};
std::atomic<int> initializations{0};
std::atomic<bool> skinPresent{false};

// 132 is the lowest id of the skin; its presence tells the resource was linked in.
constexpr int kProbeImageId = 132;

}  // namespace

void CGDIpInitializer::Initialize() {
    std::call_once(startOnce, [] {
        InstallFontSubstitutions();
        skinPresent = QFile::exists(PngResourcePath(kProbeImageId));
        starts.fetch_add(1);
    });
    initializations.fetch_add(1);
}

bool CGDIpInitializer::Started() { return starts.load() > 0; }

int CGDIpInitializer::StartCount() { return starts.load(); }

int CGDIpInitializer::InitializeCount() { return initializations.load(); }

bool CGDIpInitializer::SkinPresent() { return skinPresent.load(); }

}  // namespace quavelo
