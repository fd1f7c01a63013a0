#include "diskindex/cli/cli_manual.h"

namespace diskindex::cli {

const climanual::Manual& cliManual() {
  static const climanual::Manual manual{
      .name = "diskindx-cli",
      .summary =
          "den Datenträger-Katalog von DiskIndex ohne Fenster lesen, füllen, durchsuchen, "
          "exportieren und Dateien daraus kopieren",
      .language = climanual::Language::German,
      .synopsis =
          {"[--data VERZEICHNIS] list [--free-at-least BYTES]", "[--data VERZEICHNIS] tree NAME",
           "[--data VERZEICHNIS] identify PFAD",
           "[--data VERZEICHNIS] scan --name NAME [--drive X | --path VERZEICHNIS | --image DATEI] "
           "[--remark T] [--location T] [--category T] [--descriptions yes|no|ask] "
           "[--nested-mounts yes|no]",
           "[--data VERZEICHNIS] rescan NAME [--drive X | --path VERZEICHNIS | --image DATEI] "
           "[--descriptions yes|no|ask] [--yes]",
           "[--data VERZEICHNIS] search TEXT [--names|--dirs|--both|--remarks] [--word] [--case] "
           "[--mode dos|any|regex] [--min-size N] [--max-size N] [--after TAG] [--before TAG] "
           "[--type f|d] [--format text|csv|html|json] [--sep C] [--volume NAME]...",
           "[--data VERZEICHNIS] duplicates [--ignore-name] [--same-date] [--min-size N] "
           "[--volume NAME]... [--category NAME] [--format text|csv|json] [--sep C]",
           "[--data VERZEICHNIS] copy NAME PFAD... --to ZIEL [--tree] [--from-folder VERZEICHNIS] "
           "[--overwrite|--skip-existing] [--yes]",
           "[--data VERZEICHNIS] export info --fields N[,N]... [--sep C] [--category NAME] "
           "[--format text|csv|html|json] --to DATEI|-",
           "[--data VERZEICHNIS] export tree NAME [--from PFAD] [--paths] "
           "[--dirs-only|--files-only] [--heading TEXT] [--append] [--format text|csv|html|json] "
           "--to DATEI|-",
           "--help", "--manpage"},
      .description =
          {"diskindx-cli arbeitet auf demselben Katalog wie das Programm diskindx: denselben "
           "Volume-Dateien im Datenverzeichnis und derselben Einstellungsdatei DISKINDX.INI. "
           "Es listet die erfassten Datenträger, zeigt ihre Verzeichnisbäume, liest neue "
           "Datenträger ein, durchsucht den Katalog, exportiert Informationen und "
           "Verzeichnisbäume als Text und kopiert Dateien eines erfassten Datenträgers zurück, "
           "sobald er wieder eingelegt ist.",
           "Namen von Datenträgern werden ohne Rücksicht auf Groß- und Kleinschreibung "
           "gefunden. Meldungen erscheinen auf der Standardfehlerausgabe, auf Deutsch wie im "
           "Programm."},
      .commands =
          {{"list", "eine Zeile je erfasstem Datenträger"},
           {"identify PFAD",
            "den erfassten Datenträger nennen, der aus dem Dateisystem unter PFAD "
            "eingelesen wurde (erkannt an dessen UUID)"},
           {"tree NAME", "der Verzeichnisbaum eines Datenträgers mit Größen und Daten"},
           {"scan",
            "einen Datenträger (--drive X), einen beliebigen Ordner (--path) oder eine "
            "Abbild- bzw. Archivdatei (--image) als neuen Datenträger NAME einlesen"},
           {"rescan NAME",
            "den erfassten Datenträger NAME erneut einlesen (aus seinem Laufwerk, "
            "--drive X, --path oder --image); Bezeichnung, Bemerkung, Lagerort, Kategorie und "
            "die Bemerkungen noch vorhandener Einträge bleiben erhalten, Bemerkungen zu "
            "nicht mehr vorhandenen Einträgen werden ausgegeben und in der Datei "
            "CDnnnnnn-verwaiste-Bemerkungen.txt neben der Volume-Datei gesammelt"},
           {"search TEXT",
            "Dateinamen (Vorgabe), Verzeichnisnamen oder Bemerkungen aller oder "
            "der genannten Datenträger durchsuchen; eine Zeile je Fundstelle: "
            "Datenträger, Pfad, Größe, Datum; Steuerzeichen in Namen erscheinen als ?"},
           {"duplicates",
            "Dateien suchen, die auf mehreren Datenträgern (oder zweimal auf einem) mit "
            "gleichem Namen und gleicher Größe vorkommen; je Gruppe eine Kopfzeile und eine "
            "Zeile je Datei"},
           {"copy NAME PFAD...",
            "Dateien des Datenträgers NAME (mit --tree ein Verzeichnis "
            "samt Unterverzeichnissen) nach ZIEL kopieren; PFAD vom "
            "Stammverzeichnis aus, getrennt durch \\ oder /"},
           {"export info", "je Datenträger eine Zeile mit den gewählten Informationsfeldern"},
           {"export tree NAME",
            "den Verzeichnisbaum eines Datenträgers als eingerückten Baum "
            "oder als Liste vollständiger Pfadnamen schreiben"}},
      .options =
          {{"--data VERZEICHNIS",
            "das Datenverzeichnis mit den Volume-Dateien statt des "
            "Verzeichnisses aus den Einstellungen"},
           {"--free-at-least BYTES",
            "list: nur Datenträger mit mindestens so viel freiem Speicher; BYTES mit "
            "K, M, G oder T als Vielfache von 1024 (etwa 700M)"},
           {"--drive X", "scan, rescan: den Datenträger im Laufwerk X einlesen (Laufwerkstabelle)"},
           {"--path VERZEICHNIS",
            "scan, rescan: einen Ordner wie einen Datenträger einlesen; bei scan erhält "
            "ein Ordner, der noch kein Laufwerk ist, den ersten freien Buchstaben ab D, "
            "eingetragen im Abschnitt [Drives] von DISKINDX.INI; bei rescan "
            "behält der Datenträger seinen Laufwerksbuchstaben, wenn der Ordner kein "
            "Laufwerk der Laufwerkstabelle ist"},
           {"--nested-mounts yes|no",
            "scan: unterhalb des Ordners eingehängte Datenträger mit einlesen (Vorgabe: no; "
            "übergangene werden gezählt ausgegeben)"},
           {"--image DATEI",
            "scan, rescan: ein Abbild (ISO 9660 mit Joliet und Rock Ridge) oder ein Archiv (zip, "
            "7z, tar, auch mit gzip, bzip2, xz oder zstd, cpio, rar) ohne Einhängen einlesen; "
            "das Volume-Label ist die Kennung des Abbilds"},
           {"--name NAME", "scan: die Datenträger-Bezeichnung des neuen Datenträgers"},
           {"--remark T", "scan: Bemerkung"},
           {"--location T", "scan: Lagerort"},
           {"--category T",
            "scan: Kategorie; export info, duplicates: nur die Datenträger dieser Kategorie"},
           {"--descriptions yes|no|ask",
            "scan, rescan: Dateibeschreibungen einlesen, nicht einlesen "
            "oder auf dem Terminal fragen (Vorgabe)"},
           {"--names, --dirs, --both, --remarks", "search: worin gesucht wird"},
           {"--word", "search: nur ganze Wörter"},
           {"--case", "search: Groß- und Kleinschreibung beachten"},
           {"--volume NAME",
            "search, duplicates: nur in diesem Datenträger suchen (mehrfach möglich)"},
           {"--mode dos|any|regex",
            "search: wie TEXT gelesen wird: dos die Platzhalter des Katalogs (Vorgabe), any "
            "* und ? für alle Zeichen außer /, regex ein regulärer Ausdruck; ein in der Art "
            "ungültiger TEXT wird mit seiner Stelle gemeldet"},
           {"--min-size N, --max-size N",
            "search: nur Dateien mit mindestens bzw. höchstens N Byte, N mit K, M, G oder T "
            "als Vielfache von 1024; duplicates: --min-size, die kleinste Größe (Vorgabe 1)"},
           {"--after TAG, --before TAG",
            "search: nur Dateien von diesem Tag an bzw. bis zu diesem Tag (JJJJ-MM-TT, beide "
            "Tage eingeschlossen)"},
           {"--type f|d", "search: nur Dateien (f) oder nur Verzeichnisse (d)"},
           {"--format text|csv|html|json",
            "search, duplicates (ohne html), export: die Ausgabe als Text (Vorgabe), als CSV "
            "mit Kopfzeile, als HTML-Seite oder als JSON; export tree mit --paths, --heading "
            "oder --append nur als Text"},
           {"--ignore-name", "duplicates: gleiche Größe genügt (findet umbenannte Kopien)"},
           {"--same-date", "duplicates: auch Datum und Uhrzeit müssen gleich sein"},
           {"--to ZIEL",
            "copy: das Zielverzeichnis; export: die Zieldatei, - für die "
            "Standardausgabe"},
           {"--tree", "copy: PFAD ist ein Verzeichnis, das samt Unterverzeichnissen kopiert wird"},
           {"--from-folder VERZEICHNIS",
            "copy: aus diesem Ordner lesen, der das "
            "Stammverzeichnis des Datenträgers enthält (ohne "
            "Prüfung der Bezeichnung)"},
           {"--overwrite", "copy: vorhandene Dateien überschreiben"},
           {"--skip-existing",
            "copy: vorhandene Dateien überspringen; ohne eine der beiden "
            "Optionen bricht eine vorhandene Datei den Vorgang ab"},
           {"--yes",
            "copy, rescan: die Frage nach dem falschen Datenträger mit Ja beantworten (rescan "
            "prüft nur beim Einlesen aus einem Laufwerk)"},
           {"--fields N[,N]...",
            "export info: die Feldnummern in Ausgabereihenfolge: 0 Anzahl "
            "Dateien, 1 Anzahl Verzeichnisse, 2 Belegter Speicher, 3 "
            "Bemerkung, 4 Datenträger-Bezeichnung, 5 Erfassungsdatum, 6 "
            "Freier Speicher, 7 Kategorie, 8 Lagerort, 9 Laufwerkstyp, 10 "
            "Speicherkapazität, 11 Volume-Label"},
           {"--sep C",
            "export info: das Trennzeichen der Felder (Vorgabe: Tabulator); search, "
            "duplicates, export info --format csv: das Trennzeichen der CSV-Ausgabe (Vorgabe: "
            "Komma)"},
           {"--from PFAD", "export tree: nur dieses Verzeichnis und seine Unterverzeichnisse"},
           {"--paths", "export tree: vollständige Pfadnamen statt eines eingerückten Baums"},
           {"--dirs-only", "export tree: nur Verzeichnisnamen"},
           {"--files-only", "export tree: nur Dateinamen"},
           {"--heading TEXT", "export tree: eine Überschrift und eine Leerzeile vor dem Baum"},
           {"--append", "export tree: an die Zieldatei anhängen (nach zwei Leerzeilen)"},
           {"--help", "diese Hilfe zeigen"},
           {"--manpage", "diese Hilfe als Handbuchseite ausgeben"}},
      .exitStatus =
          {{"0", "erledigt; bei search: es gab Fundstellen, bei duplicates: doppelte Dateien"},
           {"1",
            "nicht gefunden (Datenträger, auch bei rescan, Verzeichnis, Kategorie, bei search "
            "keine Fundstelle, bei identify kein passender Datenträger), bei copy: die "
            "Prüfung des Datenträgers sagte nein, bei duplicates: keine doppelten Dateien"},
           {"2",
            "falscher Aufruf oder ein Fehler beim Lesen des Katalogs oder beim Einlesen; "
            "ein abgebrochenes oder gescheitertes rescan lässt die alten Dateien unverändert"},
           {"3", "copy: ein Fehler beim Kopieren; export: die Zieldatei ist nicht schreibbar"},
           {"4",
            "scan: eingelesen, aber Verzeichnisse waren nicht lesbar; sie sind ohne Inhalt "
            "erfasst und werden genannt"}},
      .examples = {{"diskindx-cli scan --path /media/anna/FOTOS --name \"Fotos 2024\"",
                    "Einen eingehängten Stick als Datenträger \"Fotos 2024\" erfassen:"},
                   {"diskindx-cli scan --image ~/Abbilder/urlaub.iso --name \"Urlaub 2019\"",
                    "Ein CD-Abbild erfassen, ohne es einzuhängen:"},
                   {"diskindx-cli rescan \"Fotos 2024\" --path /media/anna/FOTOS",
                    "Denselben Stick nach Änderungen erneut einlesen, die Bemerkungen bleiben:"},
                   {"diskindx-cli search \"urlaub*.jpg\" --names",
                    "Alle Dateien nach Muster suchen:"},
                   {"diskindx-cli search \"*.gz\" --mode any --min-size 1M --format csv",
                    "Alle .gz-Dateien ab 1 MiB, auch mit Punkten im Namen, als CSV:"},
                   {"diskindx-cli duplicates --min-size 10M --category Fotos",
                    "Doppelte Dateien ab 10 MiB auf den Datenträgern der Kategorie Fotos:"},
                   {"diskindx-cli export info --fields 4,11 --sep \";\" --to -",
                    "Bezeichnung und Volume-Label aller Datenträger für eine Tabelle:"},
                   {"diskindx-cli copy \"Fotos 2024\" DCIM --tree --to ~/Bilder",
                    "Ein Verzeichnis zurückkopieren, sobald der Datenträger eingelegt ist:"}},
      .files = {"DISKINDX.INI neben dem Programm, wenn sie dort besteht und beschreibbar ist, "
                "sonst $XDG_CONFIG_HOME/diskindx/DISKINDX.INI. Ihr Abschnitt [Drives] ordnet "
                "weiteren Laufwerksbuchstaben Ordner zu, etwa E=/home/anna/Archiv.",
                "Die Volume-Dateien liegen im Datenverzeichnis der Einstellungen, sonst in "
                "$XDG_DATA_HOME/diskindx/."},
  };
  return manual;
}

}  // namespace diskindex::cli
