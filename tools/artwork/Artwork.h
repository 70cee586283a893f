#pragma once

#include <string>
#include <vector>

#include <QColor>
#include <QImage>

#include "DisplayList.h"

namespace quoravel {

// The pictures and forms of the program folder, drawn here rather than kept
// as files so that everything in the folder is our own and rebuilt with it.

// The inks of the carriers' emblems, which the program's icon wears too.
inline const QColor kNavy(0x1F, 0x3A, 0x5F);
inline const QColor kGold(0xB8, 0x8A, 0x2E);
inline const QColor kWater(0x4A, 0x7F, 0xA8);

struct Carrier {
    std::string code;        // BRN, QNB, TVNY
    std::string name;        // the company's full name
    std::string headerFile;  // the bitmap the page frame draws on every page
    std::string formFile;    // the underwriting guidelines handed to the outside system
};

const std::vector<Carrier>& Carriers();

// The page frame draws the header bitmap as a 1,350 x 250 twip banner in the
// top margin, so the bitmap keeps that shape.
inline constexpr int kHeaderWidth = 540;
inline constexpr int kHeaderHeight = 100;
// The cover draws its picture from 2,500 twips in, at 10.5 twips a pixel:
// 690 pixels centre it on the page.
inline constexpr int kCoverWidth = 690;
inline constexpr int kCoverHeight = 276;
inline constexpr const char* kCoverFile = "Term.gif";
inline constexpr const char* kGuidelinesTitle = "Underwriting Guidelines (as of July 2003)";

// The carrier's emblem beside its name, indexed on 16 colours: the paper,
// the three inks and blends between them.
QImage DrawCarrierHeader(const Carrier& carrier);
// The cover illustration, indexed on CoverPalette().
QImage DrawCoverPicture();
const QList<QRgb>& CoverPalette();
// The carrier's underwriting requirements by age and face amount.
Document DrawUnderwritingGuidelines(const Carrier& carrier);

// The picture as a file in a format Qt writes ("BMP", "PNG").
std::string EncodePicture(const QImage& image, const char* format);

// The program's icon for the desktop, `size` pixels square; drawn again for
// each size so that the small ones keep bold shapes instead of blurred detail.
QImage DrawAppIcon(int size);
// Writes the icon at each size as `themeFolder`/NxN/apps/quoravel.png.
void WriteAppIcons(const std::string& themeFolder, const std::vector<int>& sizes);

// Writes every picture and form into `folder`.
void WriteArtwork(const std::string& folder);

}  // namespace quoravel
