#include "tools/artgen/AboutLogoPainter.h"
#include "tools/artgen/ArtFonts.h"
#include "tools/artgen/BackdropPainter.h"
#include "tools/artgen/FootswitchPainter.h"
#include "tools/artgen/KnobPainter.h"
#include "tools/artgen/LampPainter.h"
#include "tools/artgen/LogoBuilder.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/PedalLayout.h"
#include "tools/artgen/PedalPainter.h"
#include "tools/artgen/PreviewSheet.h"

#include <iostream>

// Draws every picture of the plug-in and its logo from code, so the set can be changed and rebuilt.
// Usage: quillmont_artgen <resources folder> [<preview sheet PNG>]
//   reads  <resources>/fonts/PluginFont-{Regular,Bold}.ttf
//   writes <resources>/images/*.png and logo.svg
namespace
{
using namespace artgen;

bool writePng (const juce::Image& image, const juce::File& file, bool report = true)
{
    // Replace rather than overwrite, so a shorter file leaves no tail behind.
    file.deleteFile();
    juce::FileOutputStream out (file);

    if (! out.openedOk() || ! juce::PNGImageFormat().writeImageToStream (image, out))
    {
        std::cerr << "could not write " << file.getFullPathName() << "\n";
        return false;
    }

    out.flush();
    if (report)
        std::cout << file.getFileName() << ": " << image.getWidth() << " x " << image.getHeight() << ", "
              << out.getPosition() << " bytes\n";
    return true;
}

// The film strips and the grained pedal are soft shading; a 256-colour palette keeps them a fraction of
// the size with no visible loss. pngquant is deterministic, so a rebuild gives the same bytes.
bool writePalettePng (const juce::Image& image, const juce::File& file)
{
    juce::TemporaryFile fullColour (file);

    if (! writePng (image, fullColour.getFile(), false))
        return false;

    juce::ChildProcess quantiser;
    juce::StringArray command { "pngquant", "--speed", "1", "--strip", "--force",
                                "--output", file.getFullPathName(), fullColour.getFile().getFullPathName() };

    if (! quantiser.start (command, juce::ChildProcess::wantStdErr))
    {
        std::cerr << "pngquant was not found (scripts/install-deps.sh installs it)\n";
        return false;
    }

    auto messages = quantiser.readAllProcessOutput();
    if (! quantiser.waitForProcessToFinish (120000) || quantiser.getExitCode() != 0)
    {
        std::cerr << "pngquant failed on " << file.getFileName() << ": " << messages << "\n";
        return false;
    }

    std::cout << file.getFileName() << ": " << image.getWidth() << " x " << image.getHeight() << ", "
              << file.getSize() << " bytes (palette)\n";
    return true;
}

KnobPainter::Style knobStyle (float skirtRadius, juce::Colour insert)
{
    return { skirtRadius, skirtRadius * 0.62f, skirtRadius * 0.40f, Palette::knobBody, insert, Palette::knobPointer };
}

int generate (const juce::File& resources, const juce::File& preview)
{
    ArtFonts fonts (resources.getChildFile ("fonts"));
    if (! fonts.isValid())
    {
        std::cerr << "the typefaces were not found in " << resources.getChildFile ("fonts").getFullPathName() << "\n";
        return 1;
    }

    auto images = resources.getChildFile ("images");
    images.createDirectory();

    namespace L = PedalLayout;
    LogoBuilder logo (fonts);

    PreviewSheet::Pictures pictures;
    pictures.logoSvg = logo.createSvg();
    pictures.background = BackdropPainter().makeImage (L::backgroundWidth, L::backgroundHeight);
    pictures.pedal = PedalPainter (fonts, logo.getOutline()).makeImage (L::pedalWidth, L::pedalHeight);
    pictures.gainStrip = KnobPainter (knobStyle (48.0f, Palette::gainInsert))
                             .makeFilmStrip (L::gainFrameWidth, L::knobFrameHeight, L::knobFrames, L::knobStartAngle, L::knobEndAngle);
    pictures.toneStrip = KnobPainter (knobStyle (46.0f, Palette::toneInsert))
                             .makeFilmStrip (L::toneFrameWidth, L::knobFrameHeight, L::knobFrames, L::knobStartAngle, L::knobEndAngle);
    pictures.volumeStrip = KnobPainter (knobStyle (46.0f, Palette::volumeInsert))
                               .makeFilmStrip (L::toneFrameWidth, L::knobFrameHeight, L::knobFrames, L::knobStartAngle, L::knobEndAngle);
    pictures.lamp = LampPainter().makeStrip (L::lampSize);
    pictures.footswitchUp = FootswitchPainter().makeImage (L::footswitchWidth, L::footswitchHeight, false);
    pictures.footswitchDown = FootswitchPainter().makeImage (L::footswitchWidth, L::footswitchHeight, true);

    auto svgFile = images.getChildFile ("logo.svg");
    auto ok = svgFile.replaceWithText (pictures.logoSvg, false, false, "\n");
    std::cout << "logo.svg: " << svgFile.getSize() << " bytes\n";

    ok = writePng (pictures.background, images.getChildFile ("background.png")) && ok;
    ok = writePalettePng (pictures.pedal, images.getChildFile ("pedal.png")) && ok;
    ok = writePalettePng (pictures.gainStrip, images.getChildFile ("knob_gain.png")) && ok;
    ok = writePalettePng (pictures.toneStrip, images.getChildFile ("knob_tone.png")) && ok;
    ok = writePalettePng (pictures.volumeStrip, images.getChildFile ("knob_volume.png")) && ok;
    ok = writePng (pictures.lamp, images.getChildFile ("lamp.png")) && ok;
    ok = writePng (pictures.footswitchUp, images.getChildFile ("footswitch_up.png")) && ok;
    ok = writePng (pictures.footswitchDown, images.getChildFile ("footswitch_down.png")) && ok;
    ok = writePng (AboutLogoPainter (logo.getOutline()).makeImage (L::aboutLogoWidth, L::aboutLogoHeight),
                   images.getChildFile ("about_logo.png")) && ok;

    // The preview shows what ships: the pictures as decoded from their palette files.
    pictures.pedal = juce::ImageFileFormat::loadFrom (images.getChildFile ("pedal.png"));
    pictures.gainStrip = juce::ImageFileFormat::loadFrom (images.getChildFile ("knob_gain.png"));
    pictures.toneStrip = juce::ImageFileFormat::loadFrom (images.getChildFile ("knob_tone.png"));
    pictures.volumeStrip = juce::ImageFileFormat::loadFrom (images.getChildFile ("knob_volume.png"));

    if (preview != juce::File())
        ok = writePng (PreviewSheet (pictures).makeImage(), preview) && ok;

    return ok ? 0 : 1;
}
}

int main (int argc, char** argv)
{
    if (argc < 2)
    {
        std::cerr << "usage: quillmont_artgen <resources folder> [<preview sheet PNG>]\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI framework;
    auto cwd = juce::File::getCurrentWorkingDirectory();
    return generate (cwd.getChildFile (argv[1]), argc > 2 ? cwd.getChildFile (argv[2]) : juce::File());
}
