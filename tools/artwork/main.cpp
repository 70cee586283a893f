// quoravel-artwork FOLDER: draws the carrier header bitmaps, the cover
// picture and the underwriting guideline forms into the program folder.
// quoravel-artwork --icons FOLDER SIZE...: draws the desktop icon at each
// size into FOLDER, laid out as the hicolor icon theme
// (FOLDER/NxN/apps/quoravel.png).
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

#include <QGuiApplication>

#include "Artwork.h"
#include "PrivateRuntimeFolder.h"

int main(int argc, char** argv) {
    const bool icons = argc >= 4 && std::string_view(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::cerr << "Usage: quoravel-artwork FOLDER\n"
                     "       quoravel-artwork --icons FOLDER SIZE...\n";
        return 1;
    }
    std::vector<int> sizes;
    for (int arg = 3; icons && arg < argc; ++arg) sizes.push_back(std::atoi(argv[arg]));
    if (std::any_of(sizes.begin(), sizes.end(), [](int size) { return size <= 0; })) {
        std::cerr << "quoravel-artwork: an icon size is a whole number of pixels.\n";
        return 1;
    }
    // Drawing needs fonts but no display: the build machine may have none.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const quoravel::PrivateRuntimeFolder runtime;
    QGuiApplication application(argc, argv);
    try {
        if (icons) {
            quoravel::WriteAppIcons(argv[2], sizes);
        } else {
            quoravel::WriteArtwork(argv[1]);
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "quoravel-artwork: " << error.what() << "\n";
        return 1;
    }
}
