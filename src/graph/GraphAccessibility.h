#pragma once

namespace quavelo {

// Screen readers see the response graph as a chart named by its owner, whose value is the
// selected band (ResponseGraph::ValueText) and whose description says how the keys work. The
// graph installs this when it is made; later calls do nothing.
void InstallGraphAccessibility();

}  // namespace quavelo
