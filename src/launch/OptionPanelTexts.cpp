#include "launch/OptionPanelTexts.h"

const std::array<CheckControlText, kCheckGroupCount>& CheckControlTexts() {
    static const std::array<CheckControlText, kCheckGroupCount> texts = {{
        {QStringLiteral("Vect&or"),
         QStringLiteral(
             "Use for vector games, turns off anti-aliasing in MAME .29 and higher, which "
             "speeds up emulation")},
        {QStringLiteral("S&ynch"),
         QStringLiteral(
             "Synchronizes screen updates with the video beam (reduces shearing but slows "
             "emulation)")},
        {QStringLiteral("U&p"),
         QStringLiteral(
             "If using a video mode that doesn't quite \"fit\" on your screen, try this")},
        {QStringLiteral("FM M&usic"),
         QStringLiteral(
             "Deselect if you have problems and don't have a SoundBlaster, in MAME .30 or "
             "later controls FM Mode")},
        {QStringLiteral("&Joystick"), QStringLiteral("Enable/disable joystick support")},
        {QStringLiteral("&Mouse"), QStringLiteral("Enable/disable mouse support")},
        {QStringLiteral("Track&ball"), QStringLiteral("Enable/disable trackball support")},
        {QStringLiteral("&4-way"),
         QStringLiteral(
             "Use if you have trouble controlling games that only respond to 4 directions "
             "(Pac-Man, Donkey Kong)")},
        {QStringLiteral("Chea&t!"),
         QStringLiteral("Allows speedups and level skips on some games")},
    }};
    return texts;
}

const std::array<ListControlText, kListGroupCount>& ListControlTexts() {
    static const std::array<ListControlText, kListGroupCount> texts = [] {
        const QString resolutionHint = QStringLiteral(
            "Select from the available screen resolutions (with emulators, bigger is not always "
            "better)");
        const QString frameSkipHint =
            QStringLiteral("Use to draw less frames per second (speeds up slow emulation)");
        const QString vesaHint = QStringLiteral(
            "Enable/disable VESA options (use VESA modes for fastest possible emulation");
        const QString soundHint =
            QStringLiteral("Choose sound mode; 11025kHz is much faster than 44100kHz");
        const QString rotateHint = QStringLiteral("Rotates emulation sideways or upside-down");
        const QString controllerHint = QStringLiteral("Choose controller from list");
        return std::array<ListControlText, kListGroupCount>{{
            {QStringLiteral("Resolutio&n:"),
             resolutionHint,
             QStringLiteral(
                 "Select from the available screen resolutions (bigger is not always better)"),
             {QStringLiteral("Custom"), QStringLiteral("320x240"), QStringLiteral("512x384"),
              QStringLiteral("640x480"), QStringLiteral("800x600"), QStringLiteral("1024x768")}},
            {QStringLiteral("Frames&kip:"),
             frameSkipHint,
             frameSkipHint,
             {QStringLiteral("60 fps"), QStringLiteral("30 fps"), QStringLiteral("20 fps"),
              QStringLiteral("15 fps")}},
            {QStringLiteral("&VESA Mode:"),
             vesaHint,
             vesaHint,
             {QStringLiteral("Custom"), QStringLiteral("Vesa 1.2"),
              QStringLiteral("Vesa 2.0 banked"), QStringLiteral("Vesa 2.0 linear")}},
            {QStringLiteral("E&xtra Graphic Options:"),
             QStringLiteral("If you have double or half screens, change these options"),
             QStringLiteral("Select other video options"),
             {QStringLiteral("No Doubling (Mini)"), QStringLiteral("No Scanlines"),
              QStringLiteral("Scanlines")}},
            {QStringLiteral("&Sound:"),
             soundHint,
             soundHint,
             {QStringLiteral("Silence"), QStringLiteral("Sound Blaster"),
              QStringLiteral("Sound Blaster AWE32"), QStringLiteral("Pro Audio Spectrum"),
              QStringLiteral("Ultrasound Max (CS4231 Codec)"), QStringLiteral("Ultrasound"),
              QStringLiteral("Windows Sound System"), QStringLiteral("Ensoniq Soundscape")}},
            {QStringLiteral("&Rotate:"),
             rotateHint,
             rotateHint,
             {QStringLiteral("None"), QStringLiteral("Left"), QStringLiteral("Right")}},
            {QStringLiteral("Controller &1:"), controllerHint, QString(), {}},
            {QStringLiteral("Controller &2:"), controllerHint, QString(), {}},
        }};
    }();
    return texts;
}
