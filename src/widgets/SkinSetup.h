#pragma once

namespace quavelo {

// The start of the image layer, run by the application object on the UI thread before the first
// window exists: it installs the font substitutions (FontSubstitutions.h). Qt decodes and draws
// the images itself, so there is nothing else to start and nothing to shut down.
class SkinSetup {
  public:
    void Initialize();
};

}  // namespace quavelo
