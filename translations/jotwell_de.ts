<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Application</name>
    <message>
        <source>There is not enough memory to finish what the pad was doing. Your text is still in the page; close other programs, then save it.</source>
        <translation>Der Speicher reicht nicht, um zu beenden, was der Notizblock gerade tat. Ihr Text steht noch auf der Seite; schließen Sie andere Programme und speichern Sie ihn dann.</translation>
    </message>
</context>
<context>
    <name>PageList</name>
    <message>
        <source>These pages are not shown because their titles cannot be file names: %1. Their entries stay in the settings file.</source>
        <translation>Diese Seiten werden nicht angezeigt, weil ihre Titel keine Dateinamen sein können: %1. Ihre Einträge bleiben in der Einstellungsdatei.</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Another copy of Jotwell Pro is running but not answering. Wait a moment and start it again, or end that copy.</source>
        <translation>Eine andere Instanz von Jotwell Pro läuft, antwortet aber nicht. Warten Sie einen Moment und starten Sie erneut, oder beenden Sie diese Instanz.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>jw::EditCommands</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Wieder&amp;holen</translation>
    </message>
    <message>
        <source>&amp;Cut</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>C&amp;opy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>P&amp;aste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Select A&amp;ll</source>
        <translation>Alles &amp;markieren</translation>
    </message>
</context>
<context>
    <name>jw::FileIo</name>
    <message>
        <source>Not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
</context>
<context>
    <name>jw::FileLock</name>
    <message>
        <source>the settings are locked by another running copy</source>
        <translation>die Einstellungen sind von einer anderen laufenden Kopie gesperrt</translation>
    </message>
</context>
<context>
    <name>jw::FormatControls</name>
    <message>
        <source>No font of that name is installed.</source>
        <translation>Eine Schrift dieses Namens ist nicht installiert.</translation>
    </message>
    <message>
        <source>A size is a number of points, such as 10 or 10.5.</source>
        <translation>Eine Größe ist eine Zahl von Punkten, etwa 10 oder 10,5.</translation>
    </message>
</context>
<context>
    <name>jw::HelpCommands</name>
    <message>
        <source>A&amp;bout</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>H&amp;elp Topics</source>
        <translation>&amp;Hilfethemen</translation>
    </message>
</context>
<context>
    <name>jw::HotKey</name>
    <message>
        <source>This combination cannot be a hot key.</source>
        <translation>Diese Kombination kann kein Tastenkürzel sein.</translation>
    </message>
    <message>
        <source>The key is not on the current keyboard layout.</source>
        <translation>Die Taste gibt es in der aktuellen Tastaturbelegung nicht.</translation>
    </message>
    <message>
        <source>Hot key is already registered by another program or registration.</source>
        <translation>Das Tastenkürzel ist bereits von einem anderen Programm oder einer anderen Anmeldung belegt.</translation>
    </message>
    <message>
        <source>Global hot keys are not available in this desktop session.</source>
        <translation>Globale Tastenkürzel sind in dieser Desktop-Sitzung nicht verfügbar.</translation>
    </message>
    <message>
        <source>Global hot keys are not available in this desktop session (%1)</source>
        <translation>Globale Tastenkürzel sind in dieser Desktop-Sitzung nicht verfügbar (%1)</translation>
    </message>
    <message>
        <source>The desktop refused the hot key.</source>
        <translation>Der Desktop hat das Tastenkürzel abgelehnt.</translation>
    </message>
    <message>
        <source>this build has no support for the desktop&apos;s global keys</source>
        <translation>diese Ausgabe des Programms unterstützt die globalen Tasten des Desktops nicht</translation>
    </message>
    <message>
        <source>Wayland does not let programs grab keys for the whole desktop</source>
        <translation>Wayland erlaubt Programmen nicht, Tasten für den ganzen Desktop zu belegen</translation>
    </message>
    <message>
        <source>the window system &quot;%1&quot; offers no global key grabs</source>
        <translation>das Fenstersystem „%1“ bietet keine globalen Tastenbelegungen</translation>
    </message>
    <message>
        <source>the X11 connection is not available</source>
        <translation>die X11-Verbindung ist nicht verfügbar</translation>
    </message>
    <message>
        <source>there is no display</source>
        <translation>es gibt keine Anzeige</translation>
    </message>
    <message>
        <source>no graphical application is running</source>
        <translation>es läuft keine grafische Anwendung</translation>
    </message>
    <message>
        <source>A hot key is one key with Alt, Ctrl or the logo key.</source>
        <translation>Ein Tastenkürzel ist eine Taste zusammen mit Alt, Strg oder der Logo-Taste.</translation>
    </message>
    <message>
        <source>A hot key needs Alt, Ctrl or the logo key, so that typing never triggers it.</source>
        <translation>Ein Tastenkürzel braucht Alt, Strg oder die Logo-Taste, damit es beim Tippen nie ausgelöst wird.</translation>
    </message>
    <message>
        <source>%1 cannot be a hot key.</source>
        <translation>%1 kann kein Tastenkürzel sein.</translation>
    </message>
</context>
<context>
    <name>jw::HotKeyCommands</name>
    <message>
        <source>Hot &amp;Key...</source>
        <translation>&amp;Tastenkürzel...</translation>
    </message>
    <message>
        <source>Show or hide Jotwell Pro</source>
        <translation>Jotwell Pro zeigen oder verbergen</translation>
    </message>
    <message>
        <source>%1

The hot key is not available. To show and hide the pad from any program, bind the command &quot;jotwell-pad --toggle&quot; to a key in your desktop&apos;s keyboard settings.</source>
        <translation>%1

Das Tastenkürzel ist nicht verfügbar. Um den Notizblock aus jedem Programm heraus zu zeigen und zu verbergen, legen Sie den Befehl „jotwell-pad --toggle“ in den Tastatureinstellungen Ihres Desktops auf eine Taste.</translation>
    </message>
    <message>
        <source>%1 cannot be used: %2</source>
        <translation>%1 kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>%1 works now but could not be kept for the next start: %2</source>
        <translation>%1 gilt jetzt, konnte aber nicht für den nächsten Start gespeichert werden: %2</translation>
    </message>
    <message>
        <source>The hot key &quot;%1&quot; could not be used: %2 %3 is used instead.</source>
        <translation>Das Tastenkürzel „%1“ konnte nicht verwendet werden: %2 Stattdessen wird %3 verwendet.</translation>
    </message>
</context>
<context>
    <name>jw::LinkView</name>
    <message>
        <source>Open Link</source>
        <translation>Link öffnen</translation>
    </message>
    <message>
        <source>Copy Link Address</source>
        <translation>Linkadresse kopieren</translation>
    </message>
</context>
<context>
    <name>jw::MiniWindowCommands</name>
    <message>
        <source>H&amp;ide on Minimize</source>
        <translation>Beim Minimieren ver&amp;bergen</translation>
    </message>
    <message>
        <source>Always on Top</source>
        <translation>Immer im Vordergrund</translation>
    </message>
</context>
<context>
    <name>jw::PageCommands</name>
    <message>
        <source>S&amp;ave</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Add &amp;Tab</source>
        <translation>Tab hin&amp;zufügen</translation>
    </message>
    <message>
        <source>R&amp;emove Tab</source>
        <translation>Tab ent&amp;fernen</translation>
    </message>
    <message>
        <source>Re&amp;name Tab</source>
        <translation>Tab &amp;umbenennen</translation>
    </message>
    <message>
        <source>Restore Removed &amp;Page...</source>
        <translation>Entfernte Seite wie&amp;derherstellen...</translation>
    </message>
    <message>
        <source>You cannot remove the only tab.</source>
        <translation>Der einzige Tab kann nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Remove Tab</source>
        <translation>Tab entfernen</translation>
    </message>
</context>
<context>
    <name>jw::PageExport</name>
    <message>
        <source>Rich Text Format (*.rtf)</source>
        <translation>Rich Text Format (*.rtf)</translation>
    </message>
    <message>
        <source>The page could not be exported to &quot;%1&quot;: %2.</source>
        <translation>Die Seite konnte nicht nach „%1“ exportiert werden: %2.</translation>
    </message>
</context>
<context>
    <name>jw::PageFiles</name>
    <message>
        <source>the file name is empty</source>
        <translation>der Dateiname ist leer</translation>
    </message>
    <message>
        <source>the name stands for a folder</source>
        <translation>der Name steht für einen Ordner</translation>
    </message>
    <message>
        <source>the name contains a path separator</source>
        <translation>der Name enthält ein Pfadtrennzeichen</translation>
    </message>
    <message>
        <source>the name contains a NUL character</source>
        <translation>der Name enthält ein NUL-Zeichen</translation>
    </message>
    <message>
        <source>the name is an absolute path</source>
        <translation>der Name ist ein absoluter Pfad</translation>
    </message>
    <message>
        <source>the name contains a drive or stream separator</source>
        <translation>der Name enthält ein Laufwerks- oder Datenstrom-Trennzeichen</translation>
    </message>
</context>
<context>
    <name>jw::PageHistoryCommands</name>
    <message>
        <source>Page &amp;History...</source>
        <translation>Seiten&amp;verlauf...</translation>
    </message>
    <message>
        <source>Earlier versions of your pages cannot be kept in the page history (%1): %2. Your pages are still saved as usual.</source>
        <translation>Frühere Fassungen Ihrer Seiten können nicht im Seitenverlauf aufbewahrt werden (%1): %2. Ihre Seiten werden weiterhin wie gewohnt gespeichert.</translation>
    </message>
</context>
<context>
    <name>jw::PageKeeper</name>
    <message>
        <source>The page file &quot;%1&quot; still cannot be read: %2. It was left as it is, and your text was saved in &quot;%3&quot;.</source>
        <translation>Die Seitendatei „%1“ kann immer noch nicht gelesen werden: %2. Sie bleibt unverändert; Ihr Text wurde in „%3“ gespeichert.</translation>
    </message>
    <message>
        <source>The page &quot;%1&quot; was changed elsewhere while you edited it. The other version is kept in &quot;%2&quot;; the page file now holds your text.</source>
        <translation>Die Seite „%1“ wurde an anderer Stelle geändert, während Sie sie bearbeitet haben. Die andere Fassung liegt in „%2“; die Seitendatei enthält jetzt Ihren Text.</translation>
    </message>
    <message>
        <source>The unsaved text of page &quot;%1&quot; could not be written to the recovery journal: %2. Save the page to keep it safe.</source>
        <translation>Der ungespeicherte Text der Seite „%1“ konnte nicht ins Wiederherstellungsprotokoll geschrieben werden: %2. Speichern Sie die Seite, um ihn zu sichern.</translation>
    </message>
    <message>
        <source>there is not enough memory</source>
        <translation>es ist nicht genug Speicher frei</translation>
    </message>
    <message>
        <source>The page &quot;%1&quot; was changed elsewhere while you edited it. The other version could not be given a name of its own (%2) and is kept in &quot;%3&quot;; the page file now holds your text.</source>
        <translation>Die Seite „%1“ wurde anderswo geändert, während Sie sie bearbeitet haben. Die andere Fassung konnte keinen eigenen Namen erhalten (%2) und liegt in „%3“; die Seitendatei enthält jetzt Ihren Text.</translation>
    </message>
</context>
<context>
    <name>jw::PageList</name>
    <message>
        <source>The page list could not be saved: %1.</source>
        <translation>Die Seitenliste konnte nicht gespeichert werden: %1.</translation>
    </message>
    <message>
        <source>You cannot have two tabs with the same name.</source>
        <translation>Zwei Tabs können nicht denselben Namen haben.</translation>
    </message>
    <message>
        <source>Duplicate Titles</source>
        <translation>Doppelte Namen</translation>
    </message>
    <message>
        <source>The page file &quot;%1&quot; could not be created: %2.</source>
        <translation>Die Seitendatei „%1“ konnte nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; exists already and holds another page&apos;s text. To bring that text back, use Add Tab with the title &quot;%2&quot;.</source>
        <translation>Die Datei „%1“ gibt es bereits, und sie enthält den Text einer anderen Seite. Um diesen Text zurückzuholen, verwenden Sie „Tab hinzufügen“ mit dem Namen „%2“.</translation>
    </message>
    <message>
        <source>The page could not be saved to &quot;%1&quot;: %2.</source>
        <translation>Die Seite konnte nicht in „%1“ gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Cannot have two tabs with the same name.</source>
        <translation>Zwei Tabs können nicht denselben Namen haben.</translation>
    </message>
    <message>
        <source>Duplicate Tab Name</source>
        <translation>Doppelter Tabname</translation>
    </message>
    <message>
        <source>The page list does not give the place of the tab &quot;%1&quot;, so it cannot be renamed.</source>
        <translation>Die Seitenliste nennt die Stelle des Tabs „%1“ nicht, daher kann er nicht umbenannt werden.</translation>
    </message>
    <message>
        <source>You cannot remove the only tab.</source>
        <translation>Der einzige Tab kann nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Remove Tab</source>
        <translation>Tab entfernen</translation>
    </message>
    <message>
        <source>Invalid Tab Name</source>
        <translation>Ungültiger Tabname</translation>
    </message>
</context>
<context>
    <name>jw::PagePrinter</name>
    <message>
        <source>The page could not be printed.</source>
        <translation>Die Seite konnte nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>The page could not be printed to &quot;%1&quot;.</source>
        <translation>Die Seite konnte nicht nach „%1“ gedruckt werden.</translation>
    </message>
</context>
<context>
    <name>jw::PortalBackend</name>
    <message>
        <source>there is no desktop message bus</source>
        <translation>es gibt keinen Nachrichtenbus des Desktops</translation>
    </message>
</context>
<context>
    <name>jw::PortalShortcut</name>
    <message>
        <source>there is no desktop message bus</source>
        <translation>es gibt keinen Nachrichtenbus des Desktops</translation>
    </message>
    <message>
        <source>the desktop offers no global shortcuts (%1)</source>
        <translation>der Desktop bietet keine globalen Tastenkürzel (%1)</translation>
    </message>
    <message>
        <source>the desktop refused %1 (%2)</source>
        <translation>der Desktop hat %1 abgelehnt (%2)</translation>
    </message>
    <message>
        <source>the desktop did not open a shortcut session</source>
        <translation>der Desktop hat keine Tastenkürzel-Sitzung geöffnet</translation>
    </message>
    <message>
        <source>the shortcut was not confirmed</source>
        <translation>das Tastenkürzel wurde nicht bestätigt</translation>
    </message>
</context>
<context>
    <name>jw::PrintExportCommands</name>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
</context>
<context>
    <name>jw::RecoveryJournal</name>
    <message>
        <source>the folder cannot be created</source>
        <translation>der Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>not a recovery entry</source>
        <translation>kein Wiederherstellungseintrag</translation>
    </message>
    <message>
        <source>the entry cannot be moved to %1</source>
        <translation>der Eintrag kann nicht nach %1 verschoben werden</translation>
    </message>
</context>
<context>
    <name>jw::SaveAsDialog</name>
    <message>
        <source>&quot;%1&quot; is the file of the page &quot;%2&quot;. Replace that page&apos;s text with this page? Its text now is kept in the page&apos;s history.</source>
        <translation>„%1“ ist die Datei der Seite „%2“. Den Text dieser Seite durch diese Seite ersetzen? Ihr jetziger Text bleibt im Seitenverlauf erhalten.</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
</context>
<context>
    <name>jw::SearchCommands</name>
    <message>
        <source>S&amp;earch</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>F&amp;ind Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Reached end of document.</source>
        <translation>Ende des Dokuments erreicht.</translation>
    </message>
</context>
<context>
    <name>jw::SettingsStore</name>
    <message>
        <source> (no text value)</source>
        <translation> (kein Textwert)</translation>
    </message>
    <message>
        <source> (an earlier entry of that name, whose value this one replaces)</source>
        <translation> (ein früherer Eintrag dieses Namens, dessen Wert dieser ersetzt)</translation>
    </message>
    <message>
        <source>not valid JSON: %1 at byte %2</source>
        <translation>kein gültiges JSON: %1 bei Byte %2</translation>
    </message>
    <message>
        <source>the top level is not a JSON object</source>
        <translation>die oberste Ebene ist kein JSON-Objekt</translation>
    </message>
</context>
<context>
    <name>jw::Spelling</name>
    <message>
        <source>&amp;Spelling</source>
        <translation>Rechtschreib&amp;prüfung</translation>
    </message>
    <message>
        <source>&amp;Check Spelling</source>
        <translation>Rechtschreibung &amp;prüfen</translation>
    </message>
    <message>
        <source>No Dictionaries Installed</source>
        <translation>Keine Wörterbücher installiert</translation>
    </message>
    <message>
        <source>No Suggestions</source>
        <translation>Keine Vorschläge</translation>
    </message>
    <message>
        <source>Add to Dictionary</source>
        <translation>Zum Wörterbuch hinzufügen</translation>
    </message>
    <message>
        <source>Ignore All</source>
        <translation>Alle ignorieren</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be added to the dictionary: %2</source>
        <translation>„%1“ konnte nicht zum Wörterbuch hinzugefügt werden: %2</translation>
    </message>
</context>
<context>
    <name>jw::TitleRules</name>
    <message>
        <source>A tab name cannot be empty.</source>
        <translation>Ein Tabname darf nicht leer sein.</translation>
    </message>
    <message>
        <source>A tab name cannot contain any of the characters / \ : * ? &quot; &lt; &gt; |.</source>
        <translation>Ein Tabname darf keines der Zeichen / \ : * ? &quot; &lt; &gt; | enthalten.</translation>
    </message>
    <message>
        <source>A tab name cannot contain control characters such as tabs or line breaks.</source>
        <translation>Ein Tabname darf keine Steuerzeichen wie Tabulatoren oder Zeilenumbrüche enthalten.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a device name of the system and cannot be used as a tab name.</source>
        <translation>„%1“ ist ein Gerätename des Systems und kann nicht als Tabname verwendet werden.</translation>
    </message>
    <message>
        <source>The tab name is too long to be used as a file name.</source>
        <translation>Der Tabname ist zu lang, um als Dateiname zu dienen.</translation>
    </message>
    <message>
        <source>A tab name cannot be made of dots only.</source>
        <translation>Ein Tabname darf nicht nur aus Punkten bestehen.</translation>
    </message>
</context>
<context>
    <name>jw::X11Backend</name>
    <message>
        <source>The X server refused to grab the key.</source>
        <translation>Der X-Server hat die Belegung der Taste abgelehnt.</translation>
    </message>
    <message>
        <source>The connection to the X display is closed.</source>
        <translation>Die Verbindung zur X-Anzeige ist geschlossen.</translation>
    </message>
</context>
<context>
    <name>jw::clsData</name>
    <message>
        <source>there is not enough memory to open it</source>
        <translation>es ist nicht genug Speicher frei, um sie zu öffnen</translation>
    </message>
    <message>
        <source>there is not enough memory to save it</source>
        <translation>es ist nicht genug Speicher frei, um sie zu speichern</translation>
    </message>
    <message>
        <source>its reading was stopped</source>
        <translation>ihr Einlesen wurde abgebrochen</translation>
    </message>
</context>
<context>
    <name>jw::frmAbout</name>
    <message>
        <source>%1 brings it up from anywhere.</source>
        <translation>%1 holt ihn von überall hervor.</translation>
    </message>
    <message>
        <source>Program icon</source>
        <translation>Programmsymbol</translation>
    </message>
    <message>
        <source>A tabbed notes pad: every page is a rich text file that is saved whenever you leave it.</source>
        <translation>Ein Notizblock mit Tabs: Jede Seite ist eine RTF-Datei, die gespeichert wird, sobald Sie sie verlassen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminformationen...</translation>
    </message>
    <message>
        <source>Starts the desktop&apos;s system information program</source>
        <translation>Startet das Systeminformationsprogramm des Desktops</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Systeminformationen sind zurzeit nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>jw::frmAddTab</name>
    <message>
        <source>Add Tab</source>
        <translation>Tab hinzufügen</translation>
    </message>
    <message>
        <source>Tab Name:</source>
        <translation>Tabname:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Tab name</source>
        <translation>Tabname</translation>
    </message>
    <message>
        <source>The title of the new page; its file is named after it</source>
        <translation>Der Name der neuen Seite; ihre Datei wird danach benannt</translation>
    </message>
</context>
<context>
    <name>jw::frmHelp</name>
    <message>
        <source>Jotwell Pro Help</source>
        <translation>Jotwell Pro Hilfe</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vor</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>Help page</source>
        <translation>Hilfeseite</translation>
    </message>
    <message>
        <source>%1 - Jotwell Pro Help</source>
        <translation>%1 - Jotwell Pro Hilfe</translation>
    </message>
    <message>
        <source>No such file</source>
        <translation>Datei nicht vorhanden</translation>
    </message>
    <message>
        <source>The help file %1 cannot be opened: %2.</source>
        <translation>Die Hilfedatei %1 kann nicht geöffnet werden: %2.</translation>
    </message>
</context>
<context>
    <name>jw::frmHotKey</name>
    <message>
        <source>Hot Key</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Press the keys that show and hide the pad from any program:</source>
        <translation>Drücken Sie die Tasten, die den Notizblock aus jedem Programm heraus zeigen und verbergen:</translation>
    </message>
    <message>
        <source>&amp;Alt+V</source>
        <translation>&amp;Alt+V</translation>
    </message>
    <message>
        <source>Hot key</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Press the new combination here; it is taken as soon as its last key goes down</source>
        <translation>Drücken Sie hier die neue Kombination; sie gilt, sobald ihre letzte Taste gedrückt ist</translation>
    </message>
    <message>
        <source>Chooses the standard hot key, Alt+V</source>
        <translation>Wählt das Standard-Tastenkürzel Alt+V</translation>
    </message>
</context>
<context>
    <name>jw::frmMain</name>
    <message>
        <source>The page file &quot;%1&quot; could not be read: %2. The page is shown empty, and its file will not be written over.</source>
        <translation>Die Seitendatei „%1“ konnte nicht gelesen werden: %2. Die Seite wird leer gezeigt, und ihre Datei wird nicht überschrieben.</translation>
    </message>
    <message>
        <source>The page could not be saved to &quot;%1&quot;: %2. Its text could not be put in the recovery journal either (%3), so the pad stays open.</source>
        <translation>Die Seite konnte nicht in „%1“ gespeichert werden: %2. Ihr Text konnte auch nicht ins Wiederherstellungsprotokoll geschrieben werden (%3), daher bleibt der Notizblock offen.</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; was not valid (%2), so it was moved to &quot;%3&quot;. The pad started with the default page list; your page files are untouched.</source>
        <translation>Die Einstellungsdatei „%1“ war ungültig (%2) und wurde nach „%3“ verschoben. Der Notizblock startete mit der Standard-Seitenliste; Ihre Seitendateien sind unberührt.</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; could not be read: %2. The pad shows the pages it could find and writes nothing over that file; your page files are untouched.</source>
        <translation>Die Einstellungsdatei „%1“ konnte nicht gelesen werden: %2. Der Notizblock zeigt die Seiten, die er finden konnte, und überschreibt diese Datei nicht; Ihre Seitendateien sind unberührt.</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; cannot be written: %2. Changes to the page list and the window position are not kept; your page files are untouched.</source>
        <translation>Die Einstellungsdatei „%1“ kann nicht geschrieben werden: %2. Änderungen an der Seitenliste und der Fensterposition werden nicht gespeichert; Ihre Seitendateien sind unberührt.</translation>
    </message>
    <message>
        <source>Recover the unsaved text of page &quot;%1&quot; from %2?</source>
        <translation>Den ungespeicherten Text der Seite „%1“ vom %2 wiederherstellen?</translation>
    </message>
    <message>
        <source>&amp;Recover</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Not Now</source>
        <translation>&amp;Nicht jetzt</translation>
    </message>
    <message>
        <source>The unsaved text could not be read: %1.</source>
        <translation>Der ungespeicherte Text konnte nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
    <message>
        <source>The page could not be saved to &quot;%1&quot;: %2.</source>
        <translation>Die Seite konnte nicht in „%1“ gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>

Its unsaved text is safe in the recovery journal (%1), and the pad offers it again at the next start. Close anyway?</source>
        <translation>

Ihr ungespeicherter Text ist im Wiederherstellungsprotokoll (%1) sicher, und der Notizblock bietet ihn beim nächsten Start wieder an. Trotzdem schließen?</translation>
    </message>
    <message>
        <source>&amp;Close Anyway</source>
        <translation>Trotzdem &amp;schließen</translation>
    </message>
    <message>
        <source>&amp;Keep Open</source>
        <translation>&amp;Offen lassen</translation>
    </message>
    <message>
        <source>The page &quot;%1&quot; could not be opened: %2.</source>
        <translation>Die Seite „%1“ konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Formatting</source>
        <translation>Formatierung</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>The font of the selected text; type a name or pick one</source>
        <translation>Die Schrift des markierten Textes; Namen eingeben oder auswählen</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>The font size of the selected text in points</source>
        <translation>Die Schriftgröße des markierten Textes in Punkten</translation>
    </message>
    <message>
        <source>Mini window</source>
        <translation>Minifenster</translation>
    </message>
    <message>
        <source>Shrink</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Hides this window and shows the small mini window in its place</source>
        <translation>Verbirgt dieses Fenster und zeigt an seiner Stelle das kleine Minifenster</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>The text of the selected page</source>
        <translation>Der Text der gewählten Seite</translation>
    </message>
    <message>
        <source>Turns bold on or off for the selected text</source>
        <translation>Schaltet Fett für den markierten Text ein oder aus</translation>
    </message>
    <message>
        <source>Turns italic on or off for the selected text</source>
        <translation>Schaltet Kursiv für den markierten Text ein oder aus</translation>
    </message>
    <message>
        <source>Turns underline on or off for the selected text</source>
        <translation>Schaltet Unterstreichen für den markierten Text ein oder aus</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; holds entries the pad cannot use as they are: %2.</source>
        <translation>Die Einstellungsdatei „%1“ enthält Einträge, die der Notizblock so nicht verwenden kann: %2.</translation>
    </message>
</context>
<context>
    <name>jw::frmMin</name>
    <message>
        <source>Open the pad</source>
        <translation>Notizblock öffnen</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Opens the main window with your pages in place of this one</source>
        <translation>Öffnet statt dieses Fensters das Hauptfenster mit Ihren Seiten</translation>
    </message>
</context>
<context>
    <name>jw::frmPageHistory</name>
    <message>
        <source>Page History: %1</source>
        <translation>Seitenverlauf: %1</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Added</source>
        <translation>Hinzugefügt</translation>
    </message>
    <message>
        <source>Removed</source>
        <translation>Entfernt</translation>
    </message>
    <message>
        <source>Restore This Version</source>
        <translation>Diese Fassung wiederherstellen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Before a save</source>
        <translation>Vor dem Speichern</translation>
    </message>
    <message>
        <source>Before a change made elsewhere</source>
        <translation>Vor einer Änderung von anderswo</translation>
    </message>
    <message>
        <source>Before a restore</source>
        <translation>Vor dem Wiederherstellen</translation>
    </message>
    <message>
        <source>Before Save As over it</source>
        <translation>Vor „Speichern unter“ darüber</translation>
    </message>
    <message>
        <source>Before a rename</source>
        <translation>Vor dem Umbenennen</translation>
    </message>
    <message>
        <source>Removed page</source>
        <translation>Entfernte Seite</translation>
    </message>
    <message>
        <source>Unsaved text (recovery)</source>
        <translation>Ungespeicherter Text (Wiederherstellung)</translation>
    </message>
    <message>
        <source>No earlier versions of this page are kept yet.</source>
        <translation>Von dieser Seite sind noch keine früheren Fassungen aufbewahrt.</translation>
    </message>
    <message>
        <source>Highlighted: only in this version. Struck out: only in the page now.</source>
        <translation>Hervorgehoben: nur in dieser Fassung. Durchgestrichen: nur in der jetzigen Seite.</translation>
    </message>
    <message>
        <source>This version could not be read: %1.</source>
        <translation>Diese Fassung konnte nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>Versions</source>
        <translation>Fassungen</translation>
    </message>
    <message>
        <source>The versions kept of this page, newest first</source>
        <translation>Die aufbewahrten Fassungen dieser Seite, die neueste zuerst</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>The chosen version, with its differences from the page now marked</source>
        <translation>Die gewählte Fassung, mit ihren Unterschieden zur jetzigen Seite markiert</translation>
    </message>
</context>
<context>
    <name>jw::frmRenameTab</name>
    <message>
        <source>Rename Tab</source>
        <translation>Tab umbenennen</translation>
    </message>
    <message>
        <source>Page: %1</source>
        <translation>Seite: %1</translation>
    </message>
    <message>
        <source>New Name:</source>
        <translation>Neuer Name:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>New name</source>
        <translation>Neuer Name</translation>
    </message>
    <message>
        <source>The page&apos;s new title; its file is renamed with it</source>
        <translation>Der neue Name der Seite; ihre Datei wird mit umbenannt</translation>
    </message>
</context>
<context>
    <name>jw::frmRestorePage</name>
    <message>
        <source>Restore Removed Page</source>
        <translation>Entfernte Seite wiederherstellen</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Removed pages</source>
        <translation>Entfernte Seiten</translation>
    </message>
    <message>
        <source>Page files in the folder that no tab shows, newest first</source>
        <translation>Seitendateien im Ordner, die kein Tab zeigt, die neuesten zuerst</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>&amp;Verlauf...</translation>
    </message>
</context>
<context>
    <name>jw::frmSearch</name>
    <message>
        <source>Jotwell Search</source>
        <translation>Jotwell-Suche</translation>
    </message>
    <message>
        <source>Enter text for which to search...</source>
        <translation>Text eingeben, nach dem gesucht wird...</translation>
    </message>
    <message>
        <source>Text to find</source>
        <translation>Gesuchter Text</translation>
    </message>
    <message>
        <source>Found exactly as typed, capitals included, from the start of the page</source>
        <translation>Wird genau wie eingegeben gesucht, mit Groß- und Kleinschreibung, ab dem Anfang der Seite</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Please enter a value before searching</source>
        <translation>Bitte geben Sie vor dem Suchen einen Wert ein</translation>
    </message>
    <message>
        <source>Empty Search</source>
        <translation>Leere Suche</translation>
    </message>
    <message>
        <source>Search string not found.</source>
        <translation>Suchtext nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>jw::frmSplash</name>
    <message>
        <source>Jotwell Pro is starting</source>
        <translation>Jotwell Pro startet</translation>
    </message>
</context>
<context>
    <name>jw::search::FindAllCommands</name>
    <message>
        <source>&amp;Find in All Pages...</source>
        <translation>&amp;In allen Seiten suchen...</translation>
    </message>
    <message>
        <source>The page &quot;%1&quot; was removed. Restore it as the last tab to open this hit?</source>
        <translation>Die Seite „%1“ wurde entfernt. Als letzten Tab wiederherstellen, um diesen Treffer zu öffnen?</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>jw::search::ResultsModel</name>
    <message>
        <source>Removed pages</source>
        <translation>Entfernte Seiten</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1: cannot be read: %2</source>
        <translation>%1: kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>jw::search::frmFindAll</name>
    <message>
        <source>Find in All Pages</source>
        <translation>In allen Seiten suchen</translation>
    </message>
    <message>
        <source>Find in all pages</source>
        <translation>In allen Seiten suchen</translation>
    </message>
    <message>
        <source>Match case</source>
        <translation>Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Whole words</source>
        <translation>Ganze Wörter</translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation>Suche läuft…</translation>
    </message>
    <message>
        <source>No hits.</source>
        <translation>Keine Treffer.</translation>
    </message>
    <message>
        <source>1 hit.</source>
        <translation>1 Treffer.</translation>
    </message>
    <message>
        <source>%1 hits on 1 page.</source>
        <translation>%1 Treffer auf 1 Seite.</translation>
    </message>
    <message>
        <source>%1 hits on %2 pages.</source>
        <translation>%1 Treffer auf %2 Seiten.</translation>
    </message>
    <message>
        <source>Pages that cannot be read: %1.</source>
        <translation>Seiten, die nicht gelesen werden können: %1.</translation>
    </message>
    <message>
        <source>No more hits after this one.</source>
        <translation>Keine weiteren Treffer nach diesem.</translation>
    </message>
    <message>
        <source>No hits before this one.</source>
        <translation>Keine Treffer vor diesem.</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Treffer</translation>
    </message>
    <message>
        <source>The hits grouped by page; Enter opens the chosen one</source>
        <translation>Die Treffer nach Seiten geordnet; die Eingabetaste öffnet den gewählten</translation>
    </message>
</context>
<context>
    <name>jw::ui::PageReading</name>
    <message>
        <source>Opening the page &quot;%1&quot;...</source>
        <translation>Die Seite „%1“ wird geöffnet …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
</TS>
