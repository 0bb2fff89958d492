#include "tools/artgen/LogoBuilder.h"
#include "tools/artgen/ArtFonts.h"

namespace artgen
{
namespace
{
    juce::Path makeBadge (float radius)
    {
        juce::Path badge;
        auto addCircle = [&badge, radius] (float r)
        {
            badge.addEllipse (radius - r, radius - r, r * 2.0f, r * 2.0f);
        };

        addCircle (radius);
        addCircle (radius * 0.88f);   // the fine inner ring is cut out...
        addCircle (radius * 0.835f);  // ...and the disc continues inside it

        // The K, cut out of the disc; drawn on a 134-unit badge and scaled to fit.
        const float k[][2] = { { 38, 35 }, { 54, 35 }, { 54, 60 }, { 77, 35 }, { 97, 35 }, { 69, 65 },
                               { 99, 99 }, { 78, 99 }, { 54, 73 }, { 54, 99 }, { 38, 99 } };
        juce::Path letter;
        letter.startNewSubPath (k[0][0], k[0][1]);
        for (size_t i = 1; i < std::size (k); ++i)
            letter.lineTo (k[i][0], k[i][1]);
        letter.closeSubPath();

        auto designSize = 134.0f;
        letter.applyTransform (juce::AffineTransform::translation (-1.5f, 0.0f)
                                   .scaled (radius * 2.0f / designSize));
        badge.addPath (letter);
        return badge;
    }
}

LogoBuilder::LogoBuilder (const ArtFonts& fonts)
{
    auto radius = viewBoxHeight * 0.5f;
    outline = makeBadge (radius);

    auto wordmark = ArtFonts::textPath (fonts.getBold (100.0f), "KORVANTH", { 0.0f, 0.0f }, 0.08f);
    auto textLeft = viewBoxHeight + 24.0f;
    auto ink = wordmark.getBounds();
    auto scale = (viewBoxWidth - textLeft) / ink.getWidth();
    wordmark.applyTransform (juce::AffineTransform::translation (-ink.getX(), -ink.getCentreY())
                                 .scaled (scale)
                                 .translated (textLeft, viewBoxHeight * 0.5f));
    outline.addPath (wordmark);
    outline.setUsingNonZeroWinding (false);
}

juce::String LogoBuilder::createSvg() const
{
    auto number = [] (float v) { return juce::String (v, 3); };

    juce::String data;
    for (juce::Path::Iterator it (outline); it.next();)
    {
        switch (it.elementType)
        {
            case juce::Path::Iterator::startNewSubPath:
                data << "M" << number (it.x1) << " " << number (it.y1);
                break;
            case juce::Path::Iterator::lineTo:
                data << "L" << number (it.x1) << " " << number (it.y1);
                break;
            case juce::Path::Iterator::quadraticTo:
                data << "Q" << number (it.x1) << " " << number (it.y1) << " " << number (it.x2) << " " << number (it.y2);
                break;
            case juce::Path::Iterator::cubicTo:
                data << "C" << number (it.x1) << " " << number (it.y1) << " " << number (it.x2) << " " << number (it.y2)
                     << " " << number (it.x3) << " " << number (it.y3);
                break;
            case juce::Path::Iterator::closePath:
                data << "Z";
                break;
        }
    }

    juce::String svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"722.30582\" height=\"134.12806\""
        << " viewBox=\"0 0 722.30582 134.12806\">\n"
        << "  <path fill=\"#000000\" fill-rule=\"evenodd\" d=\"" << data << "\"/>\n"
        << "</svg>\n";
    return svg;
}
}
