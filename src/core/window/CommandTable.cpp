#include "core/window/CommandTable.h"

namespace tabulyst {

namespace {
constexpr bool off = false;
const MenuItemSpec sep(std::string_view name) { return {name, "", "", true}; }
}  // namespace

const MenuSpec& popupMenuSpec() {
    static const MenuSpec table{"PopupMenu", "", {
        {"mnuFind", "Suchen", "Ctrl+F"},
        {"mnuFindInCurrentCol", "Suche in aktueller Spalte", "Ctrl+Alt+F"},
        {"mnuFindFirst", "Suche an erster Stelle in erster Spalte", "Ctrl+Shift+F"},
        sep("N8"),
        {"mnuReplace", "Ersetzen", "Ctrl+R"},
        {"mnuReplaceAktCol", "Ersetzen in aktueller Spalte", "Ctrl+Alt+R"},
        sep("N3"),
        {"mnuCut", "Ausschneiden", "Ctrl+X"},
        {"mnuCopy", "Kopieren", "Ctrl+C"},
        {"mnuPaste", "Einfügen", "Ctrl+V"},
        sep("N12"),
        {"mnuCopyRow", "Kopiere aktuelle Zeile", ""},
        {"mnuCopyCol", "Kopiere aktuelle Spalte", ""},
        sep("N23"),
        {"mnuMarkCol", "Aktuelle Spalte markieren", "Ctrl+Alt+S"},
        {"mnuMarkRow", "Aktuelle Zeile markieren", "Ctrl+Alt+Z"},
    }};
    return table;
}

const std::vector<MenuSpec>& mainMenuSpec() {
    static const std::vector<MenuSpec> table{
        {"mnuMainFile", "&Datei", {
            {"mnuMainLoad", "Öffnen", "Ctrl+O"},
            {"mnuNew", "Neu", "Ctrl+N"},
            {"mnuMainReLoad", "Erneut laden", "", off},
            {"mnuMainCyclicalReLoad", "Zyklisches neu laden", "", off},
            sep("N2"),
            {"mnuMainSave", "Speichern", "Ctrl+S", off},
            {"mnuMainSaveAs", "Speichern unter", ""},
            sep("N16"),
            {"mnuPrint", "Drucken", "Ctrl+P"},
            sep("N11"),
            {"mnuExit", "Exit", "Alt+F4"},
            sep("mnuFileListSep"),
        }},
        {"mnuMainEdit", "&Editieren", {
            {"mnuMainUndo", "Rückgängig", "Ctrl+Z", off},
            {"mnuMainReUndo", "Wiederherstellen", "Ctrl+Shift+Z", off},
            sep("N10"),
            {"mnuMainInsertColBevore", "Spalte vor aktueller Spalte einfügen", "Ctrl+J"},
            {"mnuMainInsertColAfter", "Spalte nach aktueller Spalte einfügen", "Ctrl+Shift+J"},
            {"mnuMainDeleteCol", "Aktuelle / Markierte Spalte(n) löschen", "Ctrl+Shift+T"},
            sep("N7"),
            {"mnuMainInsertRowBevore", "Zeile vor aktueller Zeile einfügen", "Ctrl+B"},
            {"mnuMainInsertRowAfter", "Zeile nach aktueller Zeile einfügen", "Ctrl+Shift+B"},
            {"mnuMainDeleteRow", "Aktuelle / Markierte Zeile(n) löschen", "Ctrl+Shift+D"},
            {"mnuMainDublicateRow", "Aktuelle Zeile duplizieren", "Ctrl+D"},
            sep("N6"),
        }},
        {"mnuMainModify", "&Modifizieren", {
            {"mnuMainChangeCaseToUpper", "Zelle komplett in Grossbuchstaben (Markierung)", "Ctrl+U"},
            {"mnuMainChangeCaseToLower", "Zelle komplett in Kleinbuchstaben (Markierung)", "Ctrl+L"},
            {"mnuMainChangeCaseToCapitalize", "Kapitälchen (Markierung, 1. Buchstabe gross, sonst klein)", "Ctrl+Shift+K"},
            sep("N13"),
            {"mnuMainIncrementCellValueToLowerCell", "Zellenwert erhöhen und in nächste Zeile eintragen", "Ctrl+Shift+I"},
            {"mnuMainCopyCellValueToLowerCell", "Zelleninhalt in nächste Zeile kopieren", "Ctrl+Shift+C"},
            {"mnuMainAddCellValuesInRange", "Zellenwerte in der Selektion summieren", "Ctrl+Shift+E"},
            sep("N14"),
            {"mnuMainLeftTrim", "Zelle linkbündig beschneiden (Alle Zellen)", ""},
            {"mnuMainRightTrim", "Zelle rechtsbündig beschneiden (Alle Zellen)", ""},
            sep("N25"),
            {"mnuFixLength", "Feste Zellenlänge zuweisen (Markierung)", ""},
            {"mnuCutCellLength", "Zelle auf maximale Länge beschneiden (Markierung)", ""},
            sep("N1"),
            {"mnuMainOEMToChar", "OEM zu Char (DOS zu WIN, alle Zellen)", ""},
            {"mnuMainChartoOEM", "Char zu OEM (WIN zu DOS, alle Zellen)", ""},
            sep("N24"),
            {"mnuMainUTF8toAnsi", "UTF-8 zu Ansi (Alle Zellen)", ""},
            {"mnuMainAnsiToUTF8", "Ansi zu UTF-8 (Alle Zellen)", ""},
            sep("N20"),
            {"mnuInsertTimeStamp", "Zeitstempel einfügen", "Ctrl+Shift+A"},
        }},
        {"mnuMainNavigation", "&Navigation", {
            {"mnuMainJumpToNextCellRight", "Nächste Zelle rechts", "Tab"},
            {"mnuMainJumpToNextCellLeft", "Nächste Zelle links", "Shift+Tab"},
            sep("N15"),
            {"mnuMainJumpToStartOfLineCol", "Springe zur ersten Zelle", "Ctrl+Home"},
            {"mnuMainJumpToEndOfLineCol", "Springe zur letzten Zelle", "Ctrl+End"},
            {"mnuMainJumpToStartOfLine", "Springe zum Anfang der Zeile / Zelle", "Home"},
            {"mnuMainJumpToEndOfLine", "Springe zum Ende der Zeile / Zelle", "End"},
            {"mnuMainJumpToStartOfCol", "Springe zum Spaltenanfang", "Alt+Home"},
            {"mnuMainJumpToEndOfCol", "Springe zum Spaltenende", "Alt+End"},
            sep("N4"),
            {"mnuMainJumpBackLastChangedCell", "Zurück zur letzten editierten Zelle", "Ctrl+<>", off},
            {"mnuMainJumpVorwardLastChangedCell", "Vorwärts zur letzten editierten Zelle", "Ctrl+Shift+<>", off},
            sep("N17"),
            {"mnuMainToggleBookMark", "Zellenmarkierung ein / ausschalten", "Ctrl+K"},
            {"mnuMainNextBookMark", "Zur nächsten markierten Zelle", "Ctrl+G", off},
            {"mnuMainPrevBookMark", "Zur letzten markierten Zelle", "Ctrl+Shift+G", off},
            {"mnuMainDeleteBookMarks", "Alle Markierungen löschen", "", off},
            sep("N19"),
            {"mnuMainCellSelection", "Spaltenauswahl", "Ctrl+Shift+S"},
            sep("N22"),
            {"mnuOpenLink", "Verknüpfung öffnen", "Ctrl+Shift+L"},
        }},
        {"mnuMainView", "&Ansicht", {
            {"mnuMainSetHeaderAndCols", "Zeilen überhalb und Spalten links fixieren", ""},
            {"mnuMainUnSetHeaderAndCols", "Alle Fixierungen lösen", ""},
            sep("N9"),
            {"mnuMainSetHeader", "Zeilen überhalb fixieren", ""},
            {"mnuMainReleaseHeader", "Fixierte Zeilen lösen", ""},
            {"mnuMainSetColHeader", "Spalten links fixieren", ""},
            {"mnuMainReleaseColHeader", "Fixierte Spalten lösen", ""},
            sep("N5"),
            {"mnuMainViewHideCols", "Spalten anzeigen oder verstecken", ""},
            {"mnuMainHideCols", "Gewählte Spalten verstecken", "Ctrl+H"},
            {"mnuMainShowAllCols", "Alle Spalten anzeigen", "Ctrl+Shift+H", off},
            sep("N18"),
            {"mnuStayOnTop", "Anwendung im Vordergrund fixieren", ""},
        }},
        {"mnuMainMacro", "Ma&kros", {
            {"mnuMainStartReceiving", "Aufzeichnung von der Tastatur beginnen", "Ctrl+Shift+R"},
            {"mnuMainStopReceiving", "Aufzeichnung beenden", "Ctrl+Shift+P", off},
            sep("N21"),
            {"mnuTempMacro", "Temporäres Makro abspielen", ""},
        }},
        {"mnuMainOptions", "&Optionen", {
            {"mnuMainSetDelimiter", "Trennzeichen oder Feldlänge zuweisen", ""},
        }},
        {"mnuMainAbout", "A&bout", {}},
    };
    return table;
}

const std::vector<ToolButtonSpec>& toolBarSpec() {
    static const std::vector<ToolButtonSpec> table{
        {"ToolButton5", "Neue Datei", "mnuNew", "new"},
        {"ToolBtnOpen", "Öffnen", "mnuMainLoad", "open"},
        {"ToolBtnReload", "Erneut laden", "mnuMainReLoad", "reload", off},
        {"ToolButtonSave", "Speichern", "mnuMainSave", "save", off},
        {"ToolButton9", "", "", ""},
        {"ToolButton14", "Drucken", "mnuPrint", "print"},
        {"ToolButton13", "", "", ""},
        {"btnCut", "Ausschneiden", "mnuCut", "cut"},
        {"btnCopy", "Kopieren", "mnuCopy", "copy"},
        {"btnPaste", "Einfügen", "mnuPaste", "paste"},
        {"ToolButton3", "", "", ""},
        {"btnUndo", "Rückgängig", "mnuMainUndo", "undo", off},
        {"btnReUndo", "Wiederherstellen", "mnuMainReUndo", "redo", off},
        {"ToolButton11", "", "", ""},
        {"btnFind", "Suchen", "mnuFind", "find"},
        {"btnReplace", "Ersetzen", "mnuReplace", "replace"},
        {"ToolButton1", "", "", ""},
        {"ToolButton15", "Zurück zur letzten editierten Zelle", "mnuMainJumpBackLastChangedCell", "back", off},
        {"ToolButton16", "Vorwärts zur letzten editierten Zelle", "mnuMainJumpVorwardLastChangedCell", "forward", off},
        {"ToolButton17", "", "", ""},
        {"tbtTimeMark", "Zeitstempel einfügen", "mnuInsertTimeStamp", "timestamp"},
        {"ToolButton10", "", "", ""},
        {"ToolButton4", "Trennzeichen oder Feldlänge zuweisen", "mnuMainSetDelimiter", "delimiter"},
        {"ToolButton7", "", "", ""},
        {"btnSetBookMark", "Zellenmarkierung ein / ausschalten", "mnuMainToggleBookMark", "bookmark"},
        {"btnNextBookMark", "Zur nächsten markierten Zelle", "mnuMainNextBookMark", "nextbookmark", off},
        {"btnPrevBookMark", "Zur letzten markierten Zelle", "mnuMainPrevBookMark", "prevbookmark", off},
        {"btnDeleteBookMarks", "Alle Markierungen löschen", "mnuMainDeleteBookMarks", "deletebookmarks", off},
        {"ToolButton2", "", "", ""},
        {"ToolButton8", "About", "", "about"},
    };
    return table;
}

}  // namespace tabulyst
