#pragma once

namespace quavelo {

// The once-per-process start of the image layer: the first Initialize in the process installs
// the font substitutions (FontSubstitutions.h) and checks that the embedded skin is present;
// every call is counted. Qt decodes and draws images itself, so there is nothing to shut down:
// the layer stays started until the process ends. One instance belongs to the application
// object; Initialize runs on the UI thread before the first window exists, after the
// QApplication has been created.
class SkinSetup {
  public:
    void Initialize();

    // True once any instance in the process has started the layer.
    static bool Started();
    // How often the layer was actually started in this process: 0 or 1.
    static int StartCount();
    // Process-wide count of Initialize calls.
    static int InitializeCount();
    // Whether the embedded skin was found when the layer started.
    static bool SkinPresent();
};

}  // namespace quavelo
