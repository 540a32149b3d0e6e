#include "tools/artwork/svg_writer.h"

#include <gtest/gtest.h>

namespace artwork {
namespace {

TEST(SvgWriter, WritesPlainBoxesAsColoursAndShadedOnesAsGradientsBetweenRowCentres) {
    const RoundBox boxes[] = {
        {{1, 2, 3, 4}, 0, 0x3366CC, 0x3366CC},    // one colour
        {{0, 0, 4, 8}, 1.5, 0x000000, 0xFFFFFF},  // shaded, rounded
        {{0, 7, 4, 8}, 0, 0x0000FF, 0xFF0000},    // one row: its top colour
    };
    EXPECT_EQ(RoundBoxesSvg(8, boxes),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"8\" height=\"8\" "
              "viewBox=\"0 0 8 8\">\n"
              "<rect x=\"1\" y=\"2\" width=\"2\" height=\"2\" fill=\"#cc6633\"/>\n"
              "<linearGradient id=\"shade1\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"0.5\" "
              "x2=\"0\" y2=\"7.5\"><stop offset=\"0\" stop-color=\"#000000\"/>"
              "<stop offset=\"1\" stop-color=\"#ffffff\"/></linearGradient>\n"
              "<rect x=\"0\" y=\"0\" width=\"4\" height=\"8\" rx=\"1.5\" fill=\"url(#shade1)\"/>\n"
              "<rect x=\"0\" y=\"7\" width=\"4\" height=\"1\" fill=\"#ff0000\"/>\n"
              "</svg>\n");
}

}  // namespace
}  // namespace artwork
