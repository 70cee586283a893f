// quoravel-artwork FOLDER: draws the carrier header bitmaps, the cover
// picture and the underwriting guideline forms into the program folder.
#include <cstdlib>
#include <exception>
#include <iostream>

#include <QGuiApplication>

#include "Artwork.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: quoravel-artwork FOLDER\n";
        return 1;
    }
    // Drawing needs fonts but no display: the build machine may have none.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    try {
        quoravel::WriteArtwork(argv[1]);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "quoravel-artwork: " << error.what() << "\n";
        return 1;
    }
}
