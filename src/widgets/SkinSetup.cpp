#include "widgets/SkinSetup.h"

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

// The first image of the skin; its presence tells the resource was linked in.
constexpr SkinImage kProbeImage = SkinImage::StartMeterBackground;

}  // namespace

void SkinSetup::Initialize() {
    std::call_once(startOnce, [] {
        InstallFontSubstitutions();
        skinPresent = QFile::exists(PngResourcePath(kProbeImage));
        starts.fetch_add(1);
    });
    initializations.fetch_add(1);
}

bool SkinSetup::Started() { return starts.load() > 0; }

int SkinSetup::StartCount() { return starts.load(); }

int SkinSetup::InitializeCount() { return initializations.load(); }

bool SkinSetup::SkinPresent() { return skinPresent.load(); }

}  // namespace quavelo
