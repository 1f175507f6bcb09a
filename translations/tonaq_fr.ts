<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Demo</name>
    <message>
        <source>%1: no audio output; the simulated unit plays silently</source>
        <translation>%1 : aucune sortie audio ; l&apos;appareil simulé joue en silence</translation>
    </message>
</context>
<context>
    <name>Entry</name>
    <message>
        <source>Time must be less than 65,535</source>
        <translation>La durée doit être inférieure à 65 535</translation>
    </message>
    <message>
        <source>Time must be 20 milliseconds or greater.</source>
        <translation>La durée doit être d&apos;au moins 20 millisecondes.</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Tonaq Files (*.tnq)|*.tnq|All Files (*.*)|*.*</source>
        <translation>Fichiers Tonaq (*.tnq)|*.tnq|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>Open Tonaq File</source>
        <translation>Ouvrir un fichier Tonaq</translation>
    </message>
    <message>
        <source>Tonaq Config File</source>
        <translation>Configuration Tonaq</translation>
    </message>
    <message>
        <source>Save Tonaq File</source>
        <translation>Enregistrer le fichier Tonaq</translation>
    </message>
</context>
<context>
    <name>Grid</name>
    <message>
        <source>Only numbers between 20 and 65535 allowed.</source>
        <translation>Seuls les nombres de 20 à 65535 sont permis.</translation>
    </message>
    <message>
        <source>Only numbers 0 - 9 allowed</source>
        <translation>Seuls les chiffres 0 à 9 sont permis</translation>
    </message>
</context>
<context>
    <name>Logo</name>
    <message>
        <source>DTMF tone generator</source>
        <translation>Générateur DTMF</translation>
    </message>
</context>
<context>
    <name>MemoryTransfer</name>
    <message>
        <source>Error! No open Comm Ports or Tonaq found.</source>
        <translation>Erreur ! Aucun port COM ouvert ni aucun Tonaq trouvé.</translation>
    </message>
    <message>
        <source>Save Changes to Memory?</source>
        <translation>Écrire les modifications dans la mémoire ?</translation>
    </message>
    <message>
        <source>Are you sure? This will erase all current settings and restore defaults!</source>
        <translation>Êtes-vous sûr ? Tous les réglages actuels seront effacés et les réglages d&apos;usine rétablis !</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>RÉINITIALISATION</translation>
    </message>
</context>
<context>
    <name>PortRefusal</name>
    <message>
        <source>%1: permission denied - add your user to the dialout group and log in again</source>
        <translation>%1 : accès refusé - ajoutez votre utilisateur au groupe dialout et reconnectez-vous</translation>
    </message>
    <message>
        <source>%1: in use by another program - close it and choose Rescan</source>
        <translation>%1 : utilisé par un autre programme - fermez-le et choisissez Rechercher</translation>
    </message>
    <message>
        <source>Displays status of the current operation</source>
        <translation>Affiche l&apos;état de l&apos;opération en cours</translation>
    </message>
    <message>
        <source>%1: not a link to a serial device, nor a file naming a network unit - skipped</source>
        <translation>%1 : ni un lien vers un périphérique série, ni un fichier nommant un appareil en réseau - ignoré</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Not connected.</source>
        <translation>Non connecté.</translation>
    </message>
    <message>
        <source>Scanning ports...</source>
        <translation>Recherche des ports...</translation>
    </message>
    <message>
        <source>Please Connect by selecting a COM port in the menu.</source>
        <translation>Connectez-vous en choisissant un port COM dans le menu.</translation>
    </message>
    <message>
        <source>No available COM ports found.</source>
        <translation>Aucun port COM disponible.</translation>
    </message>
    <message>
        <source>Connected on COM%1</source>
        <translation>Connecté sur COM%1</translation>
    </message>
    <message>
        <source>Unable to connect on COM%1</source>
        <translation>Connexion impossible sur COM%1</translation>
    </message>
    <message>
        <source>Unit on COM%1 removed.</source>
        <translation>Appareil sur COM%1 retiré.</translation>
    </message>
    <message>
        <source>Reading the device settings...</source>
        <translation>Lecture des réglages de l&apos;appareil...</translation>
    </message>
    <message>
        <source>Reading Location # %1</source>
        <translation>Lecture de l&apos;emplacement n° %1</translation>
    </message>
    <message>
        <source>Saving changes to device memory...</source>
        <translation>Écriture des modifications dans la mémoire...</translation>
    </message>
    <message>
        <source>Saving to Location #  %1</source>
        <translation>Écriture dans l&apos;emplacement n° %1</translation>
    </message>
    <message>
        <source>Save operation cancelled</source>
        <translation>Écriture annulée</translation>
    </message>
    <message>
        <source>RESETTING...</source>
        <translation>RÉINITIALISATION...</translation>
    </message>
    <message>
        <source>Sending tone [%1]</source>
        <translation>Envoi de la tonalité [%1]</translation>
    </message>
    <message>
        <source>Aborting...</source>
        <translation>Interruption...</translation>
    </message>
    <message>
        <source>Memory play: no Ready from the unit.</source>
        <translation>Lecture mémoire : pas de Ready de l&apos;appareil.</translation>
    </message>
    <message>
        <source>File Saved. Ready.</source>
        <translation>Fichier enregistré. Prêt.</translation>
    </message>
    <message>
        <source>Terminating...</source>
        <translation>Fermeture...</translation>
    </message>
</context>
<context>
    <name>tonaq</name>
    <message>
        <source>Try &apos;tonaq --help&apos; for more information.</source>
        <translation>Pour en savoir plus : &apos;tonaq --help&apos;.</translation>
    </message>
    <message>
        <source>cannot write the trace %1: %2</source>
        <translation>impossible d&apos;écrire la trace %1 : %2</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>impossible d&apos;écrire %1</translation>
    </message>
    <message>
        <source>--wav records the simulated unit: it needs --demo</source>
        <translation>--wav enregistre l&apos;appareil simulé : il faut --demo</translation>
    </message>
    <message>
        <source>no simulated unit: %1</source>
        <translation>aucune unité simulée : %1</translation>
    </message>
</context>
<context>
    <name>tonaq::ConnectMenu</name>
    <message>
        <source>Connect</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>ComPort</source>
        <translation>Port COM</translation>
    </message>
    <message>
        <source>Rescan</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Scanning...</source>
        <translation>Recherche...</translation>
    </message>
</context>
<context>
    <name>tonaq::InstantToneFrame</name>
    <message>
        <source>Instant Tone</source>
        <translation>Tonalité directe</translation>
    </message>
    <message>
        <source>Tone to send:</source>
        <translation>Tonalité :</translation>
    </message>
    <message>
        <source>Set focus here (click left mous button) and press a valid DTMF corresponding key to send a pulsating tone or one constant tone.  Defined by Key Lock check box.</source>
        <translation>Cliquez ici (bouton gauche de la souris) puis appuyez sur une touche DTMF valide pour envoyer une tonalité pulsée ou une tonalité continue.  La case Continu en décide.</translation>
    </message>
    <message>
        <source>Key Lock</source>
        <translation>Continu</translation>
    </message>
    <message>
        <source>Send a constant tone, don&apos;t pulsate it</source>
        <translation>Envoyer une tonalité continue, non pulsée</translation>
    </message>
</context>
<context>
    <name>tonaq::KeypadFrame</name>
    <message>
        <source>Keypad</source>
        <translation>Clavier</translation>
    </message>
</context>
<context>
    <name>tonaq::MainWindow</name>
    <message>
        <source>Firmware version: </source>
        <translation>Version du micrologiciel : </translation>
    </message>
    <message>
        <source>Firmware Version: Not connected</source>
        <translation>Version du micrologiciel : non connecté</translation>
    </message>
    <message>
        <source>Device firmware info.</source>
        <translation>Micrologiciel de l&apos;appareil.</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>État :</translation>
    </message>
    <message>
        <source>Multi Play</source>
        <translation>Séquence</translation>
    </message>
    <message>
        <source>Sends tones with individual length/space times</source>
        <translation>Envoie des tonalités de durée et de pause individuelles</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>Downloads device settings</source>
        <translation>Lit les réglages de l&apos;appareil</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Écrire</translation>
    </message>
    <message>
        <source>Uploads new configuration data to the device</source>
        <translation>Écrit la nouvelle configuration dans l&apos;appareil</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Aborts timed mode tones</source>
        <translation>Interrompt les tonalités minutées</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>Reset Unit</source>
        <translation>Réinitialiser l&apos;appareil</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;ide</translation>
    </message>
    <message>
        <source>About Tonaq</source>
        <translation>À propos de Tonaq</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>non connecté</translation>
    </message>
    <message>
        <source>%1
Control and programming utility for the Tonaq DTMF tone-generator unit.

Licence: MIT
Unit firmware: %2
Error log: %3</source>
        <translation>%1
Logiciel de commande et de programmation du générateur de tonalités DTMF Tonaq.

Licence : MIT
Micrologiciel de l&apos;appareil : %2
Journal des erreurs : %3</translation>
    </message>
    <message>
        <source>Save data before quitting?</source>
        <translation>Enregistrer les données avant de quitter ?</translation>
    </message>
</context>
<context>
    <name>tonaq::MemoryPlayFrame</name>
    <message>
        <source>Memory Play</source>
        <translation>Lecture mémoire</translation>
    </message>
    <message>
        <source>Memory Locations:</source>
        <translation>Emplacements :</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Jouer</translation>
    </message>
    <message>
        <source>Play tones from memory location(s).  Locations 1-8 allowed.  For multiple locations, do not use seperating characters.</source>
        <translation>Jouer les tonalités des emplacements mémoire.  Emplacements 1 à 8 permis.  Pour plusieurs emplacements, ne pas mettre de séparateur.</translation>
    </message>
    <message>
        <source>Only numbers 1 through 8 allowed.</source>
        <translation>Seuls les nombres 1 à 8 sont permis.</translation>
    </message>
</context>
<context>
    <name>tonaq::MemoryTableFrame</name>
    <message>
        <source>Memory Locations Display</source>
        <translation>Emplacements mémoire</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Clears all fileds</source>
        <translation>Efface tous les champs</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tous</translation>
    </message>
    <message>
        <source>Check here to check update on all memory locations</source>
        <translation>Cocher ici pour marquer tous les emplacements à écrire</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Length [ms]</source>
        <translation>Durée [ms]</translation>
    </message>
    <message>
        <source>Space [ms]</source>
        <translation>Pause [ms]</translation>
    </message>
    <message>
        <source>String</source>
        <translation>Tonalités</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Écrire</translation>
    </message>
    <message>
        <source>Sets Tone duration in milliseconds</source>
        <translation>Fixe la durée des tonalités en millisecondes</translation>
    </message>
    <message>
        <source>Length %1</source>
        <translation>Durée %1</translation>
    </message>
    <message>
        <source>Sets Tones pacing in milliseconds</source>
        <translation>Fixe la pause entre les tonalités en millisecondes</translation>
    </message>
    <message>
        <source>Space %1</source>
        <translation>Pause %1</translation>
    </message>
    <message>
        <source>Onboard Memory Location %1</source>
        <translation>Emplacement mémoire %1 de l&apos;appareil</translation>
    </message>
    <message>
        <source>String %1</source>
        <translation>Tonalités %1</translation>
    </message>
    <message>
        <source>Check here to upload this row</source>
        <translation>Cocher ici pour écrire cette ligne dans l&apos;appareil</translation>
    </message>
    <message>
        <source>Update %1</source>
        <translation>Écrire %1</translation>
    </message>
</context>
<context>
    <name>tonaq::SequenceWindow</name>
    <message>
        <source>Multi Play </source>
        <translation>Séquence </translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Send matrix</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>Upload entire grid to the device</source>
        <translation>Envoyer toute la grille à l&apos;appareil</translation>
    </message>
    <message>
        <source>Clear matrix</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Clear the grid</source>
        <translation>Effacer la grille</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Open configuration data file</source>
        <translation>Ouvrir un fichier de configuration</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Saves configuration data to a file</source>
        <translation>Enregistre la configuration dans un fichier</translation>
    </message>
    <message>
        <source>MultiPlay sends up to 20 tones with individual length and duration.</source>
        <translation>Envoie jusqu&apos;à 20 tonalités, chacune de durée et pause propres.</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>Touche</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>ERROR</source>
        <translation>ERREUR</translation>
    </message>
</context>
<context>
    <name>tonaq::SinglePlayFrame</name>
    <message>
        <source>Single Play</source>
        <translation>Tonalité seule</translation>
    </message>
    <message>
        <source>Tone:</source>
        <translation>Touche :</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Durée :</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Jouer</translation>
    </message>
    <message>
        <source>Play single tone for specified duration</source>
        <translation>Jouer une tonalité pendant la durée indiquée</translation>
    </message>
    <message>
        <source>Invalid tone: Please re-enter tone value</source>
        <translation>Tonalité non valable : veuillez la saisir à nouveau</translation>
    </message>
</context>
<context>
    <name>tonaqctl</name>
    <message>
        <source>cannot read %1</source>
        <translation>impossible de lire %1</translation>
    </message>
    <message>
        <source>%1 is no configuration file: %2</source>
        <translation>%1 n&apos;est pas un fichier de configuration : %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>the download did not finish</source>
        <translation>la lecture n&apos;a pas abouti</translation>
    </message>
    <message>
        <source>the upload did not finish</source>
        <translation>l&apos;écriture n&apos;a pas abouti</translation>
    </message>
    <message>
        <source>location %1 holds %2,%3,%4 where the file says %5,%6,%7</source>
        <translation>l&apos;emplacement %1 contient %2,%3,%4 là où le fichier indique %5,%6,%7</translation>
    </message>
    <message>
        <source>the reset did not finish</source>
        <translation>la réinitialisation n&apos;a pas abouti</translation>
    </message>
    <message>
        <source>Playing location %1</source>
        <translation>Lecture de l&apos;emplacement %1</translation>
    </message>
    <message>
        <source>no Ready from the unit after location %1</source>
        <translation>pas de Ready de l&apos;appareil après l&apos;emplacement %1</translation>
    </message>
    <message>
        <source>the unit did not take the tone</source>
        <translation>l&apos;appareil n&apos;a pas accepté la tonalité</translation>
    </message>
    <message>
        <source>the unit did not take the sequence</source>
        <translation>l&apos;appareil n&apos;a pas accepté la séquence</translation>
    </message>
    <message>
        <source>--port takes COM1 to COM255 or a network unit&apos;s URL, not %1</source>
        <translation>--port prend COM1 à COM255 ou l&apos;URL d&apos;un appareil en réseau, pas %1</translation>
    </message>
    <message>
        <source>play takes the locations 1 to 8 as digits, e.g. 132</source>
        <translation>play prend les emplacements 1 à 8 en chiffres, par ex. 132</translation>
    </message>
    <message>
        <source>the tone is one of 0-9, *, #, A-D</source>
        <translation>la tonalité est l&apos;une de 0-9, *, #, A-D</translation>
    </message>
    <message>
        <source>the duration is a number of milliseconds, 20 to 65535</source>
        <translation>la durée est un nombre de millisecondes, de 20 à 65535</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>aucune commande donnée</translation>
    </message>
    <message>
        <source>unknown command: %1</source>
        <translation>commande inconnue : %1</translation>
    </message>
    <message>
        <source>%1 takes %2 argument(s)</source>
        <translation>%1 prend %2 argument(s)</translation>
    </message>
    <message>
        <source>%1 needs --port COMn or --demo</source>
        <translation>%1 demande --port COMn ou --demo</translation>
    </message>
    <message>
        <source>--demo and --port exclude each other</source>
        <translation>--demo et --port s&apos;excluent</translation>
    </message>
    <message>
        <source>--wav records the simulated unit: it needs --demo</source>
        <translation>--wav enregistre l&apos;appareil simulé : il faut --demo</translation>
    </message>
    <message>
        <source>%1 takes no --port</source>
        <translation>%1 ne prend pas --port</translation>
    </message>
    <message>
        <source>--rows goes with upload</source>
        <translation>--rows va avec upload</translation>
    </message>
    <message>
        <source>--rows takes locations 1 to 8, e.g. 1,3-5</source>
        <translation>--rows prend les emplacements 1 à 8, par ex. 1,3-5</translation>
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
        <translation>Usage : tonaqctl COMMANDE [ARGUMENTS] (--port APPAREIL[,APPAREIL...] | --demo)
                [--json] [--ca-file FICHIER] [--trace FICHIER] [--wav FICHIER]
Programme et fait jouer le générateur de tonalités DTMF Tonaq, sans fenêtre.

Commandes :
  ports                    chaque numéro COM avec son périphérique, et les
                           périphériques refusés
  download FICHIER.tnq     les huit emplacements mémoire de l&apos;appareil dans
                           FICHIER (un FICHIER existant garde sa séquence)
  upload FICHIER.tnq [--rows 1,3-5]
                           les emplacements de FICHIER (tous, ou les lignes
                           données) dans l&apos;appareil, relus et comparés
  reset                    la mémoire de l&apos;appareil remise aux réglages d&apos;usine
  play 132                 la mémoire de l&apos;appareil lue, puis lecture des
                           emplacements 1, 3 et 2, chacun jusqu&apos;à son Ready
  tone 5 200               une tonalité pendant 200 ms
  send FICHIER.tnq         la séquence de tonalités de FICHIER

Options :
  --port APPAREIL
                 l&apos;appareil : son numéro COM (voir tonaq --help pour la
                 numérotation), ou un appareil derrière un serveur de ports
                 série : tcp://HÔTE:PORT (brut), rfc2217://HÔTE:PORT (RFC 2217),
                 tcp+tls:// ou rfc2217+tls:// (la même chose sous TLS).
                 Plusieurs appareils, répétés ou en liste séparée par des
                 virgules, travaillent en même temps, chacun dans son propre
                 processus ; une ligne par appareil dit comment il a fini (avec
                 --json un objet par ligne), puis un bilan. download écrit alors
                 un fichier par appareil, FICHIER.COMn.tnq
  --ca-file FICHIER
                 vérifier les appareils sous TLS avec l&apos;autorité de FICHIER, et
                 non celles du système
  --demo         un appareil simulé à la place, entendu sur la sortie audio par
                 défaut
  --json         résultats sur stdout en JSON ; la progression reste sur stderr
  --trace FICHIER
                 ajouter à FICHIER chaque salve sur la ligne série, dans les
                 deux sens
  --wav FICHIER  avec --demo : écrire dans FICHIER ce que l&apos;appareil simulé a
                 joué
  --version, --help

Code de sortie : 0 terminé ; 1 l&apos;appareil n&apos;a pas répondu ou la relecture
diffère ; 2 usage ; 3 erreur de fichier ; 4 erreur de port ; 5 plusieurs
appareils et au moins un a échoué (le code de chaque appareil est dans sa
ligne).
</translation>
    </message>
    <message>
        <source>cannot write the trace %1: %2</source>
        <translation>impossible d&apos;écrire la trace %1 : %2</translation>
    </message>
    <message>
        <source>%1 did not finish</source>
        <translation>%1 n&apos;a pas abouti</translation>
    </message>
    <message>
        <source>no unit answered on %1</source>
        <translation>aucun appareil n&apos;a répondu sur %1</translation>
    </message>
    <message>
        <source>%1: the unit went away</source>
        <translation>%1 : l&apos;appareil a disparu</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>impossible d&apos;écrire %1</translation>
    </message>
    <message>
        <source>Try &apos;tonaqctl --help&apos; for more information.</source>
        <translation>Pour en savoir plus : &apos;tonaqctl --help&apos;.</translation>
    </message>
    <message>
        <source>--port %1 is no usable URL: %2</source>
        <translation>--port %1 n&apos;est pas une URL utilisable : %2</translation>
    </message>
    <message>
        <source>no simulated unit: %1</source>
        <translation>aucune unité simulée : %1</translation>
    </message>
</context>
</TS>
