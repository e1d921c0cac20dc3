// Where every control of the main window stands, in twips from its container's top left.
#pragma once

#include "toolkit/toolkit.h"

#include <QRect>
#include <QStringView>

#include <array>

namespace form1_layout {

using toolkit::Posicion;

// Client area of the window, without its menu bar: 9480 x 6510 twips.
inline constexpr int AnchoVentana = 9480;
inline constexpr int AltoVentana = 6510;

// Members of a frame or panel are placed relative to it. "Amp." (Label3) is one pixel
// wider than the 375 twips it had for "MS Sans Serif": the substitute faces need it.
inline constexpr std::array<Posicion, 35> Posiciones{{
    {u"Text5", 2040, 5235, 855, 285},      {u"List2", 3720, 3060, 5295, 2430},
    {u"Picture1", 7560, 1440, 1455, 1095}, {u"Frame4", 240, 1560, 1575, 1215},
    {u"Option2_1", 120, 720, 975, 375},    {u"Option2_0", 120, 360, 1335, 255},
    {u"List1", 2040, 1800, 1215, 840},     {u"Frame3", 240, 4320, 1575, 1215},
    {u"Option1_0", 120, 240, 1095, 495},   {u"Option1_1", 120, 720, 1335, 375},
    {u"Text3", 2040, 4560, 855, 285},      {u"Text2", 2040, 3960, 855, 285},
    {u"Command1", 5520, 1860, 1215, 495},  {u"Combo1", 3720, 2040, 735, 315},
    {u"Frame1", 240, 3000, 1575, 1215},    {u"Option3_1", 120, 720, 975, 375},
    {u"Option3_0", 120, 240, 975, 375},    {u"Frame6", 2040, 2880, 1335, 735},
    {u"Text1", 0, 360, 855, 285},          {u"Label4", 0, 120, 855, 255},
    {u"Label5", 960, 360, 495, 255},       {u"Frame5", 1920, 2880, 1575, 735},
    {u"Text6", 120, 360, 855, 285},        {u"Label1", 1080, 360, 495, 375},
    {u"Label9", 120, 120, 975, 255},       {u"Label12", 3000, 1080, 3615, 375},
    {u"Label10", 600, 120, 8175, 855},     {u"ducto", 2040, 1560, 1215, 255},
    {u"Label8", 2040, 5040, 1095, 255},    {u"Label7", 3000, 4560, 615, 375},
    {u"Label6", 2040, 4320, 975, 255},     {u"Label3", 3000, 3960, 390, 255},
    {u"Label2", 2040, 3720, 735, 255},     {u"LabelCal", 3720, 1680, 1215, 255},
    {u"Label11", 240, 5640, 5295, 375},
}};

// The control's rectangle in device-independent pixels (15 twips each).
QRect EnPixeles(QStringView control);

} // namespace form1_layout
