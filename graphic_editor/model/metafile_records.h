// Function numbers of the metafile records the editor knows (the rdFunction
// word of a record): the ones its recordings hold and the ones its check of
// a slot accepts.
#pragma once

#include <cstdint>

namespace risovik::meta {

constexpr std::uint16_t kEnd = 0x0000; // end of the recording
constexpr std::uint16_t kSaveDc = 0x001E;
constexpr std::uint16_t kRestoreDc = 0x0127;
constexpr std::uint16_t kSetBkMode = 0x0102;
constexpr std::uint16_t kSetMapMode = 0x0103;
constexpr std::uint16_t kSetRop2 = 0x0104;
constexpr std::uint16_t kSetPolyFillMode = 0x0106;
constexpr std::uint16_t kSetStretchBltMode = 0x0107;
constexpr std::uint16_t kSetTextAlign = 0x012E;
constexpr std::uint16_t kSetBkColor = 0x0201;
constexpr std::uint16_t kSetTextColor = 0x0209;
constexpr std::uint16_t kSetWindowOrg = 0x020B;
constexpr std::uint16_t kSetWindowExt = 0x020C;
constexpr std::uint16_t kSetViewportOrg = 0x020D;
constexpr std::uint16_t kSetViewportExt = 0x020E;
constexpr std::uint16_t kOffsetWindowOrg = 0x020F;
constexpr std::uint16_t kOffsetViewportOrg = 0x0211;
constexpr std::uint16_t kLineTo = 0x0213;
constexpr std::uint16_t kMoveTo = 0x0214;
constexpr std::uint16_t kSetPixel = 0x041F;
constexpr std::uint16_t kRectangle = 0x041B;
constexpr std::uint16_t kEllipse = 0x0418;
constexpr std::uint16_t kRoundRect = 0x061C;
constexpr std::uint16_t kArc = 0x0817;
constexpr std::uint16_t kPie = 0x081A;
constexpr std::uint16_t kChord = 0x0830;
constexpr std::uint16_t kSelectObject = 0x012D;
constexpr std::uint16_t kDeleteObject = 0x01F0;
constexpr std::uint16_t kCreatePen = 0x02FA;
constexpr std::uint16_t kCreateBrush = 0x02FC;
constexpr std::uint16_t kCreateFont = 0x02FB;
constexpr std::uint16_t kPolygon = 0x0324;
constexpr std::uint16_t kPolyline = 0x0325;
constexpr std::uint16_t kPolyPolygon = 0x0538;
constexpr std::uint16_t kTextOut = 0x0521;
constexpr std::uint16_t kExtTextOut = 0x0A32;

} // namespace risovik::meta
