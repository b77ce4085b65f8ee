#include <chrono>

#include "app/CTorvaApp.h"

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    return quavelo::CTorvaApp::Main(argc, argv, started);
}
