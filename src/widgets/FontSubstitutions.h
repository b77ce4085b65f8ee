#pragma once

namespace quavelo {

// The pages ask for their fonts by the names "宋体", "Microsoft MHei" and "Arial Unicode MS".
// This maps each name to installed faces that carry the Chinese texts (WenQuanYi Micro Hei
// first), so every text renders whatever fonts the machine has. Safe to call more than once;
// the application and the Qt test main call it at start-up.
void InstallFontSubstitutions();

}  // namespace quavelo
