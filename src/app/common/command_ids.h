#pragma once
// Command ids of the menus, tool bar and accelerators. The numbers are the
// ones the menus have always used, so tests and texts can name them.

namespace Cmd {
enum : int {
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    SaveAsAvi = 32901,
    FilePrint = 57607,
    FilePrintPreview = 57609,
    FilePrintSetup = 57606,
    AppExit = 57665,
    FileMru1 = 57616,
    EditUndo = 57643,
    EditRedo = 57644,
    // Edit > History: the undo history in a dock.
    EditHistory = 32950,
    EditCut = 57635,
    EditCopy = 57634,
    EditPaste = 57637,
    EditDelete = 32771,
    ShortcutTool = 32772,
    PaletteBar = 32773,
    ShowGrid = 32774,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    ActualSize = 32830,
    // Playback of a wired project shows the unwired lamps too.
    ShowUnwiredWhilePlaying = 32832,
    ScrollMode = 32831,
    ColourReverse = 57632,
    FrameRepeat = 32776,
    ColourReplace = 32777,
    Brightness = 32902,
    Rotate90 = 32779,
    OddRows = 32780,
    EvenRows = 32781,
    GridOptions = 32782,
    AutoDesign = 32783,
    AutoGather = 32784,
    Flash = 32866,
    Video = 32838,
    AddRow = 32834,
    DeleteRow = 32835,
    AddCol = 32836,
    DeleteCol = 32837,
    Play = 32785,
    Stop = 32786,
    MakeLedData = 32791,
    // Offered beside the LED data command: data for neon circuitry and the
    // circuitry check of the wiring.
    MakeNeonData = 32792,
    CircuitryCheck = 32793,
    // The serial link to a controller: the port, sending frames, updating
    // the controller's program.
    ChooseSerialPort = 32803,
    SendFrameData = 32804,
    UpdateControllerProgram = 32805,
    // A sequence file for SD-card and network pixel players.
    ExportFseq = 32920,
    // Frames to E1.31, Art-Net and DDP receivers, live.
    NetworkOutput = 32921,
    LanguageChinese = 32796,
    LanguageEnglish = 32797,
    LanguageTraditional = 32915,
    AppAbout = 57664,
};
} // namespace Cmd
