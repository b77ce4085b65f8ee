#include <chrono>

#include "app/Application.h"

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    return quavelo::Application::Main(argc, argv, started);
}
