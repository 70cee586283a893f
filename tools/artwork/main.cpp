// quoravel-artwork FOLDER: draws the carrier header bitmaps, the cover
// picture and the underwriting guideline forms into the program folder.
// quoravel-artwork --icons FOLDER: draws the desktop icon into FOLDER, laid
// out as the hicolor icon theme (FOLDER/NxN/apps/quoravel.png).
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string_view>

#include <QGuiApplication>

#include "Artwork.h"

int main(int argc, char** argv) {
    const bool icons = argc == 3 && std::string_view(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::cerr << "Usage: quoravel-artwork FOLDER\n"
                     "       quoravel-artwork --icons FOLDER\n";
        return 1;
    }
    // Drawing needs fonts but no display: the build machine may have none.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    try {
        if (icons) {
            quoravel::WriteAppIcons(argv[2]);
        } else {
            quoravel::WriteArtwork(argv[1]);
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "quoravel-artwork: " << error.what() << "\n";
        return 1;
    }
}
