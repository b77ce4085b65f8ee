#include "widgets/SkinSetup.h"

#include "widgets/FontSubstitutions.h"

namespace quavelo {

void SkinSetup::Initialize() { InstallFontSubstitutions(); }

}  // namespace quavelo
