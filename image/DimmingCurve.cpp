#include "image/DimmingCurve.h"

#include "image/NumberText.h"

#include <algorithm>

namespace nolt {

namespace {

constexpr std::uint8_t relayOffBit = 1u << img::bitRelayOff;

int levelOf(std::uint8_t v)
{
    return std::min(v & img::levelMask, 100);
}

bool hasCurve(const Bytes& curve)
{
    return curve.size() >= static_cast<std::size_t>(curvePoints);
}

using LevelMap = std::uint8_t (*)(std::uint8_t, const Bytes&);

bool mapLevels(Bytes& image, const Bytes& curve, LevelMap map)
{
    if (!hasCurve(curve) || image.size() < static_cast<std::size_t>(img::storedBytes)
        || TestBit(image[img::featureFlags], img::bitOutputDali))
        return false;
    auto mapByte = [&](int offset) { image[offset] = map(image[offset], curve); };
    mapByte(img::minLevel);
    mapByte(img::poLevel);
    for (const int first : {img::dim2FirstLevel, img::dim1FirstLevel}) {
        for (int i = 0; i < img::dimStepCount; ++i) {
            const int offset = first + i * img::dimStepSize;
            if (image[offset] != img::unusedStep)
                mapByte(offset);
        }
    }
    if (image[img::mffStart] != img::mffStartNotSet) {
        mapByte(img::mffStart);
        mapByte(img::mffStop);
    }
    for (const auto& [threshold, level] :
         {std::pair{img::tmT1, img::tmL1}, {img::tmT2, img::tmL2}, {img::tmT3, img::tmL3}}) {
        if (image[threshold] != 0)
            mapByte(level);
    }
    return true;
}

} // namespace

DimmingCurveRead readDimmingCurve(const QStringList& lines, const Bytes& previous)
{
    DimmingCurveRead result;
    result.curve = previous;
    result.curve.resize(curvePoints, 0);
    if (lines.size() != curvePoints) {
        result.error = QStringLiteral("Error: Nr. of points is not 101!");
        return result;
    }
    bool wrong = false;
    for (int i = 0; i < curvePoints; ++i) {
        // Blanks around the number, as spreadsheet programs write them, do not count.
        const auto value = parseDecimal(QStringView(lines[i]).trimmed(), true);
        if (!value || *value < 0 || *value > 100)
            wrong = true;
        if (value)
            result.curve[i] = static_cast<std::uint8_t>(*value & 0xFF);
    }
    if (wrong)
        result.error = QStringLiteral("Error: Wrong Data!");
    return result;
}

std::uint8_t correctLevel(std::uint8_t v, const Bytes& curve)
{
    if (!hasCurve(curve))
        return v;
    return static_cast<std::uint8_t>(curve[levelOf(v)] + (v & relayOffBit));
}

std::uint8_t uncorrectLevel(std::uint8_t v, const Bytes& curve)
{
    if (!hasCurve(curve))
        return v;
    const int target = levelOf(v);
    for (int k = curvePoints - 1; k >= 0; --k) {
        if (curve[k] == target)
            return static_cast<std::uint8_t>(k | (v & relayOffBit));
    }
    return v;
}

bool correctDC(Bytes& image, const Bytes& curve)
{
    return mapLevels(image, curve, correctLevel);
}

bool invCorrectDC(Bytes& image, const Bytes& curve)
{
    return mapLevels(image, curve, uncorrectLevel);
}

} // namespace nolt
