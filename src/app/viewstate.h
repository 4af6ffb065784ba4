#pragma once
// The state of the log view that lives while the program runs: the page shown
// on screen, the page being printed, the screen-display switch, the scale and
// the paper. One ViewState is owned by the main window and passed by reference.

namespace qc {

class Settings;

struct ViewState
{
    double screenPageTop = 0;    // depth at the top of the page on screen, m
    int currentPage = 1;         // page being printed, or the page number on screen
    bool printingNow = false;    // only while a printed page is drawn
    bool screenDisplayOn = true; // screen repaints draw nothing while off
    // "シートNo." prints "n/N" (this page of the log's pages) instead of the stored text.
    // A window option kept in the program's settings, off by default.
    bool sheetNumbersFromPages = false;

    // ScaleSettings. The two denominators are not stored anywhere: 100 at every start.
    int horizontalScaleDenominator = 100;
    int depthScaleDenominator = 100;
    bool scaleDepthPartOnly = false; // "深度データ部のみ縮尺有効"
    double printStartDepth = 0;      // "印刷開始深度", m
    int depthPerPage = 0;            // "１ページの深度", whole m; 0 until a default is chosen
    int pageOverlap = 0;             // "改ページの重複深度", whole m

    // Paper of the selected printer, whole mm.
    int paperWidthMm = 280;
    int paperHeightMm = 280;
    int usablePaperHeightMm = 240;
    // Right edge of the clip of the log body, page mm (290, or 350 on a wide screen).
    int clipWidthMm = 290;

    // The page depth, overlap and depth-part-only option kept in the settings file (lines 53 to 55).
    void loadScaleSettings(const Settings& settings);
    void storeScaleSettings(Settings& settings) const;
};

} // namespace qc
