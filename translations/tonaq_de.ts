<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Demo</name>
    <message>
        <source>%1: no audio output; the simulated unit plays silently</source>
        <translation>%1: keine Audioausgabe; das simulierte Gerät spielt stumm</translation>
    </message>
</context>
<context>
    <name>Entry</name>
    <message>
        <source>Time must be less than 65,535</source>
        <translation>Die Zeit muss kleiner als 65.535 sein</translation>
    </message>
    <message>
        <source>Time must be 20 milliseconds or greater.</source>
        <translation>Die Zeit muss mindestens 20 Millisekunden betragen.</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Tonaq Files (*.tnq)|*.tnq|All Files (*.*)|*.*</source>
        <translation>Tonaq-Dateien (*.tnq)|*.tnq|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Open Tonaq File</source>
        <translation>Tonaq-Datei öffnen</translation>
    </message>
    <message>
        <source>Tonaq Config File</source>
        <translation>Tonaq-Konfiguration</translation>
    </message>
    <message>
        <source>Save Tonaq File</source>
        <translation>Tonaq-Datei speichern</translation>
    </message>
</context>
<context>
    <name>Grid</name>
    <message>
        <source>Only numbers between 20 and 65535 allowed.</source>
        <translation>Nur Zahlen von 20 bis 65535 erlaubt.</translation>
    </message>
    <message>
        <source>Only numbers 0 - 9 allowed</source>
        <translation>Nur die Ziffern 0 - 9 erlaubt</translation>
    </message>
</context>
<context>
    <name>Logo</name>
    <message>
        <source>DTMF tone generator</source>
        <translation>DTMF-Tongenerator</translation>
    </message>
</context>
<context>
    <name>MemoryTransfer</name>
    <message>
        <source>Error! No open Comm Ports or Tonaq found.</source>
        <translation>Fehler! Kein offener COM-Port und kein Tonaq gefunden.</translation>
    </message>
    <message>
        <source>Save Changes to Memory?</source>
        <translation>Änderungen in den Gerätespeicher schreiben?</translation>
    </message>
    <message>
        <source>Are you sure? This will erase all current settings and restore defaults!</source>
        <translation>Sind Sie sicher? Alle aktuellen Einstellungen werden gelöscht und die Grundeinstellungen wiederhergestellt!</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>ZURÜCKSETZEN</translation>
    </message>
</context>
<context>
    <name>PortRefusal</name>
    <message>
        <source>%1: permission denied - add your user to the dialout group and log in again</source>
        <translation>%1: Zugriff verweigert - fügen Sie Ihren Benutzer der Gruppe dialout hinzu und melden Sie sich neu an</translation>
    </message>
    <message>
        <source>%1: in use by another program - close it and choose Rescan</source>
        <translation>%1: von einem anderen Programm belegt - schließen Sie es und wählen Sie Neu suchen</translation>
    </message>
    <message>
        <source>Displays status of the current operation</source>
        <translation>Zeigt den Zustand des laufenden Vorgangs</translation>
    </message>
    <message>
        <source>%1: not a link to a serial device, nor a file naming a network unit - skipped</source>
        <translation>%1: weder ein Link auf ein serielles Gerät noch eine Datei mit der URL eines Netzwerkgeräts - übersprungen</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Not connected.</source>
        <translation>Nicht verbunden.</translation>
    </message>
    <message>
        <source>Scanning ports...</source>
        <translation>Ports werden gesucht...</translation>
    </message>
    <message>
        <source>Please Connect by selecting a COM port in the menu.</source>
        <translation>Bitte im Menü einen COM-Port zum Verbinden wählen.</translation>
    </message>
    <message>
        <source>No available COM ports found.</source>
        <translation>Keine verfügbaren COM-Ports gefunden.</translation>
    </message>
    <message>
        <source>Connected on COM%1</source>
        <translation>Verbunden an COM%1</translation>
    </message>
    <message>
        <source>Unable to connect on COM%1</source>
        <translation>Verbindung an COM%1 nicht möglich</translation>
    </message>
    <message>
        <source>Unit on COM%1 removed.</source>
        <translation>Gerät an COM%1 entfernt.</translation>
    </message>
    <message>
        <source>Reading the device settings...</source>
        <translation>Geräteeinstellungen werden gelesen...</translation>
    </message>
    <message>
        <source>Reading Location # %1</source>
        <translation>Speicherplatz Nr. %1 wird gelesen</translation>
    </message>
    <message>
        <source>Saving changes to device memory...</source>
        <translation>Änderungen werden in den Gerätespeicher geschrieben...</translation>
    </message>
    <message>
        <source>Saving to Location #  %1</source>
        <translation>Schreiben auf Speicherplatz Nr. %1</translation>
    </message>
    <message>
        <source>Save operation cancelled</source>
        <translation>Schreiben abgebrochen</translation>
    </message>
    <message>
        <source>RESETTING...</source>
        <translation>ZURÜCKSETZEN...</translation>
    </message>
    <message>
        <source>Sending tone [%1]</source>
        <translation>Ton [%1] wird gesendet</translation>
    </message>
    <message>
        <source>Aborting...</source>
        <translation>Abbruch...</translation>
    </message>
    <message>
        <source>Memory play: no Ready from the unit.</source>
        <translation>Speicher abspielen: kein Ready vom Gerät.</translation>
    </message>
    <message>
        <source>File Saved. Ready.</source>
        <translation>Datei gespeichert. Bereit.</translation>
    </message>
    <message>
        <source>Terminating...</source>
        <translation>Wird beendet...</translation>
    </message>
</context>
<context>
    <name>tonaq</name>
    <message>
        <source>Try &apos;tonaq --help&apos; for more information.</source>
        <translation>Mehr dazu mit &apos;tonaq --help&apos;.</translation>
    </message>
    <message>
        <source>cannot write the trace %1: %2</source>
        <translation>kann die Aufzeichnung %1 nicht schreiben: %2</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>kann %1 nicht schreiben</translation>
    </message>
    <message>
        <source>--wav records the simulated unit: it needs --demo</source>
        <translation>--wav zeichnet das simulierte Gerät auf: es braucht --demo</translation>
    </message>
    <message>
        <source>no simulated unit: %1</source>
        <translation>keine simulierte Einheit: %1</translation>
    </message>
</context>
<context>
    <name>tonaq::ConnectMenu</name>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>ComPort</source>
        <translation>COM-Port</translation>
    </message>
    <message>
        <source>Rescan</source>
        <translation>Neu suchen</translation>
    </message>
    <message>
        <source>Scanning...</source>
        <translation>Suche...</translation>
    </message>
</context>
<context>
    <name>tonaq::InstantToneFrame</name>
    <message>
        <source>Instant Tone</source>
        <translation>Sofortton</translation>
    </message>
    <message>
        <source>Tone to send:</source>
        <translation>Ton senden:</translation>
    </message>
    <message>
        <source>Set focus here (click left mous button) and press a valid DTMF corresponding key to send a pulsating tone or one constant tone.  Defined by Key Lock check box.</source>
        <translation>Hier klicken (linke Maustaste) und eine gültige DTMF-Taste drücken, um einen pulsierenden Ton oder einen Dauerton zu senden.  Welcher, bestimmt das Kästchen Dauerton.</translation>
    </message>
    <message>
        <source>Key Lock</source>
        <translation>Dauerton</translation>
    </message>
    <message>
        <source>Send a constant tone, don&apos;t pulsate it</source>
        <translation>Einen Dauerton senden statt eines pulsierenden</translation>
    </message>
</context>
<context>
    <name>tonaq::KeypadFrame</name>
    <message>
        <source>Keypad</source>
        <translation>Tastenfeld</translation>
    </message>
</context>
<context>
    <name>tonaq::MainWindow</name>
    <message>
        <source>Firmware version: </source>
        <translation>Firmware-Version: </translation>
    </message>
    <message>
        <source>Firmware Version: Not connected</source>
        <translation>Firmware-Version: nicht verbunden</translation>
    </message>
    <message>
        <source>Device firmware info.</source>
        <translation>Firmware des Geräts.</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Zustand:</translation>
    </message>
    <message>
        <source>Multi Play</source>
        <translation>Tonfolge</translation>
    </message>
    <message>
        <source>Sends tones with individual length/space times</source>
        <translation>Sendet Töne mit eigener Länge und Pause</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Auslesen</translation>
    </message>
    <message>
        <source>Downloads device settings</source>
        <translation>Liest die Einstellungen des Geräts</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Uploads new configuration data to the device</source>
        <translation>Schreibt die neue Konfiguration in das Gerät</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Aborts timed mode tones</source>
        <translation>Bricht zeitgesteuerte Töne ab</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>Da&amp;tei</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Reset Unit</source>
        <translation>Gerät zurücksetzen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>About Tonaq</source>
        <translation>Über Tonaq</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>nicht verbunden</translation>
    </message>
    <message>
        <source>%1
Control and programming utility for the Tonaq DTMF tone-generator unit.

Licence: MIT
Unit firmware: %2
Error log: %3</source>
        <translation>%1
Steuer- und Programmierprogramm für den Tonaq-DTMF-Tongenerator.

Lizenz: MIT
Firmware des Geräts: %2
Fehlerprotokoll: %3</translation>
    </message>
    <message>
        <source>Save data before quitting?</source>
        <translation>Daten vor dem Beenden speichern?</translation>
    </message>
</context>
<context>
    <name>tonaq::MemoryPlayFrame</name>
    <message>
        <source>Memory Play</source>
        <translation>Speicher abspielen</translation>
    </message>
    <message>
        <source>Memory Locations:</source>
        <translation>Speicherplätze:</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Spielen</translation>
    </message>
    <message>
        <source>Play tones from memory location(s).  Locations 1-8 allowed.  For multiple locations, do not use seperating characters.</source>
        <translation>Töne von Speicherplätzen abspielen.  Plätze 1-8 erlaubt.  Mehrere Plätze ohne Trennzeichen eingeben.</translation>
    </message>
    <message>
        <source>Only numbers 1 through 8 allowed.</source>
        <translation>Nur die Zahlen 1 bis 8 erlaubt.</translation>
    </message>
</context>
<context>
    <name>tonaq::MemoryTableFrame</name>
    <message>
        <source>Memory Locations Display</source>
        <translation>Speicherplätze</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Clears all fileds</source>
        <translation>Leert alle Felder</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Check here to check update on all memory locations</source>
        <translation>Hier ankreuzen, um alle Speicherplätze zum Schreiben zu markieren</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>Length [ms]</source>
        <translation>Länge [ms]</translation>
    </message>
    <message>
        <source>Space [ms]</source>
        <translation>Pause [ms]</translation>
    </message>
    <message>
        <source>String</source>
        <translation>Tonfolge</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Sets Tone duration in milliseconds</source>
        <translation>Legt die Tondauer in Millisekunden fest</translation>
    </message>
    <message>
        <source>Length %1</source>
        <translation>Länge %1</translation>
    </message>
    <message>
        <source>Sets Tones pacing in milliseconds</source>
        <translation>Legt die Pause zwischen den Tönen in Millisekunden fest</translation>
    </message>
    <message>
        <source>Space %1</source>
        <translation>Pause %1</translation>
    </message>
    <message>
        <source>Onboard Memory Location %1</source>
        <translation>Speicherplatz %1 im Gerät</translation>
    </message>
    <message>
        <source>String %1</source>
        <translation>Tonfolge %1</translation>
    </message>
    <message>
        <source>Check here to upload this row</source>
        <translation>Hier ankreuzen, um diese Zeile ins Gerät zu schreiben</translation>
    </message>
    <message>
        <source>Update %1</source>
        <translation>Schreiben %1</translation>
    </message>
</context>
<context>
    <name>tonaq::SequenceWindow</name>
    <message>
        <source>Multi Play </source>
        <translation>Tonfolge </translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Send matrix</source>
        <translation>Folge senden</translation>
    </message>
    <message>
        <source>Upload entire grid to the device</source>
        <translation>Die ganze Tabelle an das Gerät senden</translation>
    </message>
    <message>
        <source>Clear matrix</source>
        <translation>Folge leeren</translation>
    </message>
    <message>
        <source>Clear the grid</source>
        <translation>Die Tabelle leeren</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Open configuration data file</source>
        <translation>Konfigurationsdatei öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Saves configuration data to a file</source>
        <translation>Speichert die Konfiguration in einer Datei</translation>
    </message>
    <message>
        <source>MultiPlay sends up to 20 tones with individual length and duration.</source>
        <translation>Die Tonfolge sendet bis zu 20 Töne mit eigener Länge und Pause.</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>ERROR</source>
        <translation>FEHLER</translation>
    </message>
</context>
<context>
    <name>tonaq::SinglePlayFrame</name>
    <message>
        <source>Single Play</source>
        <translation>Einzelton</translation>
    </message>
    <message>
        <source>Tone:</source>
        <translation>Ton:</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Dauer:</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Spielen</translation>
    </message>
    <message>
        <source>Play single tone for specified duration</source>
        <translation>Einen Ton für die angegebene Dauer spielen</translation>
    </message>
    <message>
        <source>Invalid tone: Please re-enter tone value</source>
        <translation>Ungültiger Ton: Bitte den Ton neu eingeben</translation>
    </message>
</context>
<context>
    <name>tonaqctl</name>
    <message>
        <source>cannot read %1</source>
        <translation>kann %1 nicht lesen</translation>
    </message>
    <message>
        <source>%1 is no configuration file: %2</source>
        <translation>%1 ist keine Konfigurationsdatei: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>kann %1 nicht schreiben: %2</translation>
    </message>
    <message>
        <source>the download did not finish</source>
        <translation>das Auslesen wurde nicht beendet</translation>
    </message>
    <message>
        <source>the upload did not finish</source>
        <translation>das Schreiben wurde nicht beendet</translation>
    </message>
    <message>
        <source>location %1 holds %2,%3,%4 where the file says %5,%6,%7</source>
        <translation>Platz %1 enthält %2,%3,%4, die Datei aber %5,%6,%7</translation>
    </message>
    <message>
        <source>the reset did not finish</source>
        <translation>das Zurücksetzen wurde nicht beendet</translation>
    </message>
    <message>
        <source>Playing location %1</source>
        <translation>Platz %1 wird gespielt</translation>
    </message>
    <message>
        <source>no Ready from the unit after location %1</source>
        <translation>kein Ready vom Gerät nach Platz %1</translation>
    </message>
    <message>
        <source>the unit did not take the tone</source>
        <translation>das Gerät hat den Ton nicht angenommen</translation>
    </message>
    <message>
        <source>the unit did not take the sequence</source>
        <translation>das Gerät hat die Folge nicht angenommen</translation>
    </message>
    <message>
        <source>--port takes COM1 to COM255 or a network unit&apos;s URL, not %1</source>
        <translation>--port nimmt COM1 bis COM255 oder die URL eines Netzwerkgeräts, nicht %1</translation>
    </message>
    <message>
        <source>play takes the locations 1 to 8 as digits, e.g. 132</source>
        <translation>play nimmt die Plätze 1 bis 8 als Ziffern, z. B. 132</translation>
    </message>
    <message>
        <source>the tone is one of 0-9, *, #, A-D</source>
        <translation>der Ton ist einer von 0-9, *, #, A-D</translation>
    </message>
    <message>
        <source>the duration is a number of milliseconds, 20 to 65535</source>
        <translation>die Dauer ist eine Zahl von Millisekunden, 20 bis 65535</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>unknown command: %1</source>
        <translation>unbekannter Befehl: %1</translation>
    </message>
    <message>
        <source>%1 takes %2 argument(s)</source>
        <translation>%1 nimmt %2 Argument(e)</translation>
    </message>
    <message>
        <source>%1 needs --port COMn or --demo</source>
        <translation>%1 braucht --port COMn oder --demo</translation>
    </message>
    <message>
        <source>--demo and --port exclude each other</source>
        <translation>--demo und --port schließen einander aus</translation>
    </message>
    <message>
        <source>--wav records the simulated unit: it needs --demo</source>
        <translation>--wav zeichnet das simulierte Gerät auf: es braucht --demo</translation>
    </message>
    <message>
        <source>%1 takes no --port</source>
        <translation>%1 nimmt kein --port</translation>
    </message>
    <message>
        <source>--rows goes with upload</source>
        <translation>--rows gehört zu upload</translation>
    </message>
    <message>
        <source>--rows takes locations 1 to 8, e.g. 1,3-5</source>
        <translation>--rows nimmt die Plätze 1 bis 8, z. B. 1,3-5</translation>
    </message>
    <message>
        <source>Usage: tonaqctl COMMAND [ARGUMENTS] (--port UNIT[,UNIT...] | --demo) [--json]
                [--ca-file FILE] [--trace FILE] [--wav FILE]
Programs and plays the Tonaq DTMF tone-generator unit without a window.

Commands:
  ports                    every COM number with its device, and refused devices
  download FILE.tnq        the unit&apos;s eight memory locations into FILE (an existing
                           FILE keeps its sequence)
  upload FILE.tnq [--rows 1,3-5]
                           FILE&apos;s locations (all, or the rows given) into the unit,
                           read back and compared
  reset                    the unit&apos;s memory back to its defaults
  play 132                 the unit&apos;s memory read, then memory play of locations
                           1, 3 and 2, each to its Ready
  tone 5 200               one tone for 200 ms
  send FILE.tnq            FILE&apos;s tone sequence

Options:
  --port UNIT    the unit: its COM number (see tonaq --help for the numbering), or
                 a unit behind a serial device server: tcp://HOST:PORT (raw),
                 rfc2217://HOST:PORT (RFC 2217), tcp+tls:// or rfc2217+tls://
                 (the same over TLS). Several units, repeated or as a comma list,
                 run at once, each in a process of its own; a line per unit says
                 how it ended (with --json an object per line), then a summary.
                 download then writes a file per unit, FILE.COMn.tnq
  --ca-file FILE verify units over TLS against the CA in FILE, not the system&apos;s
  --demo         a simulated unit instead, heard through the default audio output
  --json         results on stdout as JSON; progress stays on stderr
  --trace FILE   append every burst on the serial line, both ways, to FILE
  --wav FILE     with --demo: write what the simulated unit played to FILE
  --version, --help

Exit status: 0 done; 1 the unit did not answer or a read-back differs; 2 usage;
3 file error; 4 port error; 5 several units and at least one failed (each unit&apos;s
own status is in its line).
</source>
        <translation>Aufruf: tonaqctl BEFEHL [ARGUMENTE] (--port GERÄT[,GERÄT...] | --demo)
                [--json] [--ca-file DATEI] [--trace DATEI] [--wav DATEI]
Programmiert und spielt den Tonaq-DTMF-Tongenerator ohne Fenster.

Befehle:
  ports                    jede COM-Nummer mit ihrem Gerät, und abgewiesene
                           Geräte
  download DATEI.tnq       die acht Speicherplätze des Geräts in DATEI (eine
                           vorhandene DATEI behält ihre Tonfolge)
  upload DATEI.tnq [--rows 1,3-5]
                           die Plätze der DATEI (alle oder die genannten Zeilen)
                           in das Gerät, zurückgelesen und verglichen
  reset                    der Speicher des Geräts zurück auf die
                           Grundeinstellung
  play 132                 den Speicher des Geräts lesen, dann die Plätze 1, 3
                           und 2 abspielen, jeden bis zu seinem Ready
  tone 5 200               ein Ton für 200 ms
  send DATEI.tnq           die Tonfolge der DATEI

Optionen:
  --port GERÄT   das Gerät: seine COM-Nummer (zur Nummerierung siehe
                 tonaq --help) oder ein Gerät hinter einem seriellen
                 Geräteserver: tcp://HOST:PORT (roh), rfc2217://HOST:PORT (RFC
                 2217), tcp+tls:// oder rfc2217+tls:// (dasselbe über TLS).
                 Mehrere Geräte, wiederholt oder als Liste mit Kommas, laufen
                 gleichzeitig, jedes in einem eigenen Prozess; eine Zeile je
                 Gerät sagt, wie es endete (mit --json ein Objekt je Zeile),
                 dann eine Zusammenfassung. download schreibt dann eine Datei je
                 Gerät, DATEI.COMn.tnq
  --ca-file DATEI
                 Geräte über TLS gegen die CA in DATEI prüfen, nicht gegen die
                 des Systems
  --demo         stattdessen ein simuliertes Gerät, zu hören über die
                 Standard-Audioausgabe
  --json         Ergebnisse auf stdout als JSON; der Fortschritt bleibt auf
                 stderr
  --trace DATEI  jeden Datenblock auf der seriellen Leitung, in beide
                 Richtungen, an DATEI anhängen
  --wav DATEI    mit --demo: was das simulierte Gerät gespielt hat, in DATEI
                 schreiben
  --version, --help

Rückgabewert: 0 erledigt; 1 das Gerät hat nicht geantwortet oder das Zurücklesen
weicht ab; 2 Aufruf; 3 Dateifehler; 4 Portfehler; 5 mehrere Geräte und
mindestens eines ist gescheitert (der Wert jedes Geräts steht in seiner Zeile).
</translation>
    </message>
    <message>
        <source>cannot write the trace %1: %2</source>
        <translation>kann die Aufzeichnung %1 nicht schreiben: %2</translation>
    </message>
    <message>
        <source>%1 did not finish</source>
        <translation>%1 wurde nicht beendet</translation>
    </message>
    <message>
        <source>no unit answered on %1</source>
        <translation>kein Gerät hat an %1 geantwortet</translation>
    </message>
    <message>
        <source>%1: the unit went away</source>
        <translation>%1: das Gerät ist verschwunden</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>kann %1 nicht schreiben</translation>
    </message>
    <message>
        <source>Try &apos;tonaqctl --help&apos; for more information.</source>
        <translation>Mehr dazu mit &apos;tonaqctl --help&apos;.</translation>
    </message>
    <message>
        <source>--port %1 is no usable URL: %2</source>
        <translation>--port %1 ist keine brauchbare URL: %2</translation>
    </message>
    <message>
        <source>no simulated unit: %1</source>
        <translation>keine simulierte Einheit: %1</translation>
    </message>
</context>
</TS>
