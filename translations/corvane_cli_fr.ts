<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>cli::AdapterCommands</name>
    <message>
        <source>corvane: the driver stopped answering
</source>
        <translation>corvane: le pilote ne répond plus
</translation>
    </message>
    <message>
        <source>corvane: no adapter found (no %1 or %2 service in %3)
</source>
        <translation>corvane: aucun adaptateur trouvé (aucun service %1 ou %2 dans %3)
</translation>
    </message>
    <message>
        <source>Link state</source>
        <translation>État de la liaison</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>BSSID</source>
        <translation>BSSID</translation>
    </message>
    <message>
        <source>Network type</source>
        <translation>Type de réseau</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>Link quality</source>
        <translation>Qualité de la liaison</translation>
    </message>
    <message>
        <source>Waiting for the driver</source>
        <translation>Attente du pilote</translation>
    </message>
    <message>
        <source>corvane: the card could not be initialised
</source>
        <translation>corvane: la carte n’a pas pu être initialisée
</translation>
    </message>
    <message>
        <source>Card initialised: country region 0x%1, channels%2, radio %3
</source>
        <translation>Carte initialisée : région 0x%1, canaux%2, radio %3
</translation>
    </message>
    <message>
        <source>on</source>
        <translation>activée</translation>
    </message>
    <message>
        <source>off</source>
        <translation>désactivée</translation>
    </message>
</context>
<context>
    <name>cli::ExchangeCommands</name>
    <message>
        <source>usage: corvane profiles share NAME|INDEX [--show-keys] [--png FILE]
</source>
        <translation>usage : corvane profiles share NAME|INDEX [--show-keys] [--png FILE]
</translation>
    </message>
    <message>
        <source>corvane: the QR code of %1 holds the network&apos;s key, so it is shown only when asked for:
  %2
</source>
        <translation>corvane: le code QR de %1 contient la clé du réseau ; il n’est donc affiché que sur demande explicite :
  %2
</translation>
    </message>
    <message>
        <source>corvane: the text does not fit in a QR code
</source>
        <translation>corvane: le texte ne tient pas dans un code QR
</translation>
    </message>
    <message>
        <source>corvane: %1 could not be written
</source>
        <translation>corvane: impossible d’écrire %1
</translation>
    </message>
    <message>
        <source>corvane: the QR code is in %1
</source>
        <translation>corvane: le code QR se trouve dans %1
</translation>
    </message>
    <message>
        <source>usage: corvane profiles export FILE
</source>
        <translation>usage : corvane profiles export FILE
</translation>
    </message>
    <message>
        <source>Exported %1 profile to %2
</source>
        <translation>%1 profil exporté vers %2
</translation>
    </message>
    <message>
        <source>Exported %1 profiles to %2
</source>
        <translation>%1 profils exportés vers %2
</translation>
    </message>
    <message>
        <source>usage: corvane profiles import FILE... [--replace]
</source>
        <translation>usage : corvane profiles import FILE... [--replace]
</translation>
    </message>
    <message>
        <source>corvane: %1; nothing was imported
</source>
        <translation>corvane: %1 ; rien n’a été importé
</translation>
    </message>
    <message>
        <source>%1 imported, %2 skipped
</source>
        <translation>%1 importé(s), %2 ignoré(s)
</translation>
    </message>
    <message>
        <source>corvane: the profiles could not be saved in %1; nothing was imported
</source>
        <translation>corvane: impossible d’enregistrer les profils dans %1 ; rien n’a été importé
</translation>
    </message>
    <message>
        <source>corvane: nothing was imported
</source>
        <translation>corvane: rien n’a été importé
</translation>
    </message>
</context>
<context>
    <name>cli::Guards</name>
    <message>
        <source>corvane: waiting for another corvane command to finish
</source>
        <translation>corvane: attente de la fin d’une autre commande corvane
</translation>
    </message>
    <message>
        <source>corvane: another corvane command still holds the adapter
</source>
        <translation>corvane: une autre commande corvane occupe encore l’adaptateur
</translation>
    </message>
    <message>
        <source>corvane: the driver stopped answering
</source>
        <translation>corvane: le pilote ne répond plus
</translation>
    </message>
</context>
<context>
    <name>cli::KeyOptions</name>
    <message>
        <source>%1 takes N=KEY with N from 1 to 4</source>
        <translation>%1 attend N=KEY avec N de 1 à 4</translation>
    </message>
    <message>
        <source>key %1 given twice</source>
        <translation>clé %1 indiquée deux fois</translation>
    </message>
    <message>
        <source>--auth does not apply to join</source>
        <translation>--auth ne s’applique pas à join</translation>
    </message>
    <message>
        <source>--auth takes open, shared, wpa-psk or wpa2-psk</source>
        <translation>--auth attend open, shared, wpa-psk ou wpa2-psk</translation>
    </message>
    <message>
        <source>--shared contradicts --auth %1</source>
        <translation>--shared contredit --auth %1</translation>
    </message>
    <message>
        <source>--shared applies only to a WEP network</source>
        <translation>--shared ne s’applique qu’à un réseau WEP</translation>
    </message>
    <message>
        <source>an ad hoc network offers only Open authentication</source>
        <translation>un réseau ad hoc n’offre que l’authentification Open</translation>
    </message>
    <message>
        <source>--cipher applies only to a WPA-PSK or WPA2-PSK network</source>
        <translation>--cipher ne s’applique qu’à un réseau WPA-PSK ou WPA2-PSK</translation>
    </message>
    <message>
        <source>--cipher takes tkip or aes</source>
        <translation>--cipher attend tkip ou aes</translation>
    </message>
    <message>
        <source>that encryption is not offered</source>
        <translation>ce chiffrement n’est pas proposé</translation>
    </message>
    <message>
        <source>this network takes a pre-shared key, not WEP keys</source>
        <translation>ce réseau utilise une clé pré-partagée, pas de clés WEP</translation>
    </message>
    <message>
        <source>this network takes no pre-shared key</source>
        <translation>ce réseau n’utilise pas de clé pré-partagée</translation>
    </message>
    <message>
        <source>this network takes no keys</source>
        <translation>ce réseau n’utilise pas de clés</translation>
    </message>
    <message>
        <source>--wep-default takes 1 to 4</source>
        <translation>--wep-default attend une valeur de 1 à 4</translation>
    </message>
</context>
<context>
    <name>cli::Options</name>
    <message>
        <source>unknown option %1</source>
        <translation>option inconnue %1</translation>
    </message>
    <message>
        <source>%1 given twice</source>
        <translation>%1 indiquée deux fois</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 attend une valeur</translation>
    </message>
    <message>
        <source>missing argument</source>
        <translation>argument manquant</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>argument inattendu %1</translation>
    </message>
</context>
<context>
    <name>cli::PaneCommands</name>
    <message>
        <source>usage: corvane advanced [--json]
       corvane advanced set [--wireless-mode 2.4G|5G|2.4+5G] [--tx-rate TEXT]
                            [--bg-protection 0|1|2|auto|on|off] [--tx-burst on|off]
</source>
        <translation>usage : corvane advanced [--json]
        corvane advanced set [--wireless-mode 2.4G|5G|2.4+5G] [--tx-rate TEXT]
                             [--bg-protection 0|1|2|auto|on|off] [--tx-burst on|off]
</translation>
    </message>
    <message>
        <source>on</source>
        <translation>activé</translation>
    </message>
    <message>
        <source>off</source>
        <translation>désactivé</translation>
    </message>
    <message>
        <source>(offered: %1)</source>
        <translation>(proposés : %1)</translation>
    </message>
    <message>
        <source>Wireless mode</source>
        <translation>Mode sans fil</translation>
    </message>
    <message>
        <source>Tx rate</source>
        <translation>Débit d’émission</translation>
    </message>
    <message>
        <source>BG protection</source>
        <translation>Protection BG</translation>
    </message>
    <message>
        <source>Tx burst</source>
        <translation>Rafale d’émission</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>nothing to set</source>
        <translation>rien à régler</translation>
    </message>
    <message>
        <source>--bg-protection takes 0 (Auto), 1 (On) or 2 (Off)</source>
        <translation>--bg-protection attend 0 (Auto), 1 (On) ou 2 (Off)</translation>
    </message>
    <message>
        <source>--tx-burst takes on or off</source>
        <translation>--tx-burst attend on ou off</translation>
    </message>
    <message>
        <source>corvane advanced set: this adapter offers the wireless modes %1
</source>
        <translation>corvane advanced set: cet adaptateur propose les modes sans fil %1
</translation>
    </message>
    <message>
        <source>corvane advanced set: this adapter chooses its own transmit rate and BG protection
</source>
        <translation>corvane advanced set: cet adaptateur choisit lui-même son débit d’émission et sa protection BG
</translation>
    </message>
    <message>
        <source>corvane advanced set: in this wireless mode the rates are %1
</source>
        <translation>corvane advanced set: dans ce mode sans fil, les débits sont %1
</translation>
    </message>
    <message>
        <source>corvane advanced set: a 5 GHz mode uses no BG protection
</source>
        <translation>corvane advanced set: un mode 5 GHz n’utilise pas de protection BG
</translation>
    </message>
    <message>
        <source>Scanning</source>
        <translation>Recherche</translation>
    </message>
    <message>
        <source>corvane: the settings could not be written to %1
</source>
        <translation>corvane: impossible d’écrire les réglages dans %1
</translation>
    </message>
    <message>
        <source>corvane radio: %1
usage: corvane radio on|off
</source>
        <translation>corvane radio: %1
usage : corvane radio on|off
</translation>
    </message>
    <message>
        <source>say on or off</source>
        <translation>indiquez on ou off</translation>
    </message>
    <message>
        <source>corvane: the adapter did not take the radio switch
</source>
        <translation>corvane: l’adaptateur n’a pas pris en compte la commutation de la radio
</translation>
    </message>
    <message>
        <source>Radio on
</source>
        <translation>Radio activée
</translation>
    </message>
    <message>
        <source>Radio off
</source>
        <translation>Radio désactivée
</translation>
    </message>
    <message>
        <source>corvane about: %1
usage: corvane about [--json]
</source>
        <translation>corvane about: %1
usage : corvane about [--json]
</translation>
    </message>
    <message>
        <source>Driver version</source>
        <translation>Version du pilote</translation>
    </message>
    <message>
        <source>EEPROM version</source>
        <translation>Version de l’EEPROM</translation>
    </message>
    <message>
        <source>MAC address</source>
        <translation>Adresse MAC</translation>
    </message>
    <message>
        <source>Utility version</source>
        <translation>Version de l’utilitaire</translation>
    </message>
</context>
<context>
    <name>cli::ProfileCommands</name>
    <message>
        <source>%1 (ad hoc)</source>
        <translation>%1 (ad hoc)</translation>
    </message>
    <message>
        <source>corvane %1: %2 is no profile number (1, 2, ...)
</source>
        <translation>corvane %1: %2 n’est pas un numéro de profil (1, 2, ...)
</translation>
    </message>
    <message>
        <source>corvane: no stored profile named or numbered &quot;%1&quot;
</source>
        <translation>corvane: aucun profil enregistré ne porte le nom ou le numéro « %1 »
</translation>
    </message>
    <message>
        <source>Associating</source>
        <translation>Association</translation>
    </message>
    <message>
        <source>Connected to %1
</source>
        <translation>Connecté à %1
</translation>
    </message>
    <message>
        <source>Not connected to %1
</source>
        <translation>Non connecté à %1
</translation>
    </message>
    <message>
        <source>usage: corvane psk SSID PASSPHRASE|-
</source>
        <translation>usage : corvane psk SSID PASSPHRASE|-
</translation>
    </message>
    <message>
        <source>corvane: the SSID is %1 bytes long; at most 32 are allowed
</source>
        <translation>corvane: le SSID fait %1 octets ; 32 au plus sont autorisés
</translation>
    </message>
    <message>
        <source>corvane: no stored profiles
</source>
        <translation>corvane: aucun profil enregistré
</translation>
    </message>
    <message>
        <source>corvane: the profile was changed or deleted by another program
</source>
        <translation>corvane: le profil a été modifié ou supprimé par un autre programme
</translation>
    </message>
    <message>
        <source>corvane: the active profile could not be saved in %1; not connecting
</source>
        <translation>corvane: impossible d’enregistrer le profil actif dans %1 ; pas de connexion
</translation>
    </message>
    <message>
        <source>corvane: the active profile could not be marked inactive in %1; not disconnecting
</source>
        <translation>corvane: impossible de marquer le profil actif comme inactif dans %1 ; pas de déconnexion
</translation>
    </message>
    <message>
        <source>Disconnected
</source>
        <translation>Déconnecté
</translation>
    </message>
</context>
<context>
    <name>cli::ProfileEditCommands</name>
    <message>
        <source>usage: corvane profiles add BSSID [--name NAME] [--ssid TEXT] [key options]
       corvane profiles add --ssid TEXT [--adhoc [--channel N]] [--name NAME] [key options]
key options: [--auth open|shared|wpa-psk|wpa2-psk] [--passphrase TEXT|-] [--cipher tkip|aes]
             [--wep-hex N=KEY]... [--wep-ascii N=KEY]... [--wep-default N] [--shared]
</source>
        <translation>usage : corvane profiles add BSSID [--name NAME] [--ssid TEXT] [options de clé]
        corvane profiles add --ssid TEXT [--adhoc [--channel N]] [--name NAME] [options de clé]
options de clé : [--auth open|shared|wpa-psk|wpa2-psk] [--passphrase TEXT|-] [--cipher tkip|aes]
                 [--wep-hex N=KEY]... [--wep-ascii N=KEY]... [--wep-default N] [--shared]
</translation>
    </message>
    <message>
        <source>--adhoc and --channel are for a network typed in, not one from the scan</source>
        <translation>--adhoc et --channel valent pour un réseau saisi, pas pour un réseau de la recherche</translation>
    </message>
    <message>
        <source>give a BSSID from the scan, or --ssid</source>
        <translation>indiquez un BSSID de la recherche, ou --ssid</translation>
    </message>
    <message>
        <source>--channel needs --adhoc</source>
        <translation>--channel exige --adhoc</translation>
    </message>
    <message>
        <source>--ssid needs a name</source>
        <translation>--ssid attend un nom</translation>
    </message>
    <message>
        <source>an SSID has at most 32 bytes</source>
        <translation>un SSID fait au plus 32 octets</translation>
    </message>
    <message>
        <source>%1 is no BSSID (AA:BB:CC:DD:EE:FF)</source>
        <translation>%1 n’est pas un BSSID (AA:BB:CC:DD:EE:FF)</translation>
    </message>
    <message>
        <source>channel %1 is not in the card&apos;s plan</source>
        <translation>le canal %1 ne figure pas dans le plan de canaux de la carte</translation>
    </message>
    <message>
        <source>Added profile %1: %2 (%3)
</source>
        <translation>Profil %1 ajouté : %2 (%3)
</translation>
    </message>
    <message>
        <source>corvane profiles delete: %1
usage: corvane profiles delete NAME|INDEX
</source>
        <translation>corvane profiles delete: %1
usage : corvane profiles delete NAME|INDEX
</translation>
    </message>
    <message>
        <source>corvane: another program holds the preference files
</source>
        <translation>corvane: un autre programme occupe les fichiers de préférences
</translation>
    </message>
    <message>
        <source>corvane: the preference files could not be written; nothing was deleted
</source>
        <translation>corvane: impossible d’écrire les fichiers de préférences ; rien n’a été supprimé
</translation>
    </message>
    <message>
        <source>Deleted profile %1
</source>
        <translation>Profil %1 supprimé
</translation>
    </message>
    <message>
        <source>Disconnected
</source>
        <translation>Déconnecté
</translation>
    </message>
</context>
<context>
    <name>cli::Progress</name>
    <message>
        <source>%1... %2 s </source>
        <translation>%1... %2 s </translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>Attente</translation>
    </message>
</context>
<context>
    <name>cli::QrJoinCommand</name>
    <message>
        <source>usage: corvane join --qr TEXT|-
</source>
        <translation>usage : corvane join --qr TEXT|-
</translation>
    </message>
</context>
<context>
    <name>cli::StatusWatch</name>
    <message>
        <source>usage: corvane status [--json]
       corvane status --watch [SECONDS]
</source>
        <translation>usage : corvane status [--json]
        corvane status --watch [SECONDS]
</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>  (network changed)</source>
        <translation>  (réseau changé)</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>argument inattendu %1</translation>
    </message>
    <message>
        <source>SECONDS must be a whole number of seconds from 1: %1</source>
        <translation>SECONDS doit être un nombre entier de secondes à partir de 1 : %1</translation>
    </message>
    <message>
        <source>--watch prints lines, not --json</source>
        <translation>--watch affiche des lignes, pas du --json</translation>
    </message>
</context>
<context>
    <name>cli::SurveyCommands</name>
    <message>
        <source>Scanning</source>
        <translation>Recherche</translation>
    </message>
    <message>
        <source>corvane: no network with BSSID %1 in range
</source>
        <translation>corvane: aucun réseau de BSSID %1 à portée
</translation>
    </message>
    <message>
        <source>corvane: the active profile could not be marked inactive in %1; not joining
</source>
        <translation>corvane: impossible de marquer le profil actif comme inactif dans %1 ; pas de connexion
</translation>
    </message>
    <message>
        <source>corvane: the adapter went away during the scan
</source>
        <translation>corvane: l’adaptateur a disparu pendant la recherche
</translation>
    </message>
    <message>
        <source>(hidden)</source>
        <translation>(masqué)</translation>
    </message>
    <message>
        <source>ch %1</source>
        <translation>canal %1</translation>
    </message>
    <message>
        <source>usage: corvane join BSSID [--passphrase TEXT|-] [--cipher tkip|aes] [--wep-hex N=KEY]...
                   [--wep-ascii N=KEY]... [--wep-default N] [--shared]
</source>
        <translation>usage : corvane join BSSID [--passphrase TEXT|-] [--cipher tkip|aes] [--wep-hex N=KEY]...
                    [--wep-ascii N=KEY]... [--wep-default N] [--shared]
</translation>
    </message>
    <message>
        <source>corvane join: %1 is no BSSID (AA:BB:CC:DD:EE:FF)
</source>
        <translation>corvane join: %1 n’est pas un BSSID (AA:BB:CC:DD:EE:FF)
</translation>
    </message>
    <message>
        <source>corvane join: %1 is an open network; %2 does not apply
</source>
        <translation>corvane join: %1 est un réseau ouvert ; %2 ne s’applique pas
</translation>
    </message>
    <message>
        <source>1 access point</source>
        <translation>1 point d’accès</translation>
    </message>
    <message>
        <source>%1 access points</source>
        <translation>%1 points d’accès</translation>
    </message>
    <message>
        <source>corvane scan: %1
usage: corvane scan [--group] [--json]
</source>
        <translation>corvane scan: %1
usage : corvane scan [--group] [--json]
</translation>
    </message>
</context>
<context>
    <name>cli::main</name>
    <message>
        <source>corvane connect NAME|INDEX   (-- before a name that begins with -)</source>
        <translation>corvane connect NAME|INDEX   (-- devant un nom qui commence par -)</translation>
    </message>
    <message>
        <source>corvane: unknown option %1
</source>
        <translation>corvane: option inconnue %1
</translation>
    </message>
    <message>
        <source>corvane: unknown command %1
</source>
        <translation>corvane: commande inconnue %1
</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 exige %2</translation>
    </message>
    <message>
        <source>corvane %1: %2
usage: %3
</source>
        <translation>corvane %1: %2
usage : %3
</translation>
    </message>
    <message>
        <source>usage: corvane [--trace] COMMAND [ARGS]

  status [--json]            link state, network, BSSID, type, channel, link quality
  status --watch [SECONDS]   link state and link quality figures of the last 5 minutes,
                             a line a second until interrupted or for SECONDS seconds
  scan [--group] [--json]    scan and list the networks in range with their security;
                             --group: one line per network, its access points below
  join BSSID [key options]   connect to a network in range, as the site survey&apos;s Connect
  join --qr TEXT|-           connect to the network a Wi-Fi QR text names (- reads it)
  init                       initialise the card (driver wait, EEPROM, region, radio)
  psk SSID PASSPHRASE|-      the 32-byte pre-shared key as 64 hex digits
  profiles [--json [--show-keys]]
                             the stored profiles
  profiles add BSSID|--ssid TEXT [options]
                             store a new profile, as the profile editor&apos;s OK
  profiles delete NAME|INDEX delete a stored profile
  profiles share NAME|INDEX [--show-keys] [--png FILE]
                             the profile as the Wi-Fi QR code phones read
  profiles export FILE       the stored profiles to a property list
  profiles import FILE... [--replace]
                             profiles from a property list, a wpa_supplicant
                             configuration or NetworkManager keyfiles
  connect NAME|INDEX         activate a stored profile and wait for the association
  disconnect                 drop the association and mark the active profile inactive
  radio on|off               switch the radio, as the advanced page&apos;s radio switch
  advanced [--json]          the advanced settings and the choices this adapter offers
  advanced set [--wireless-mode 2.4G|5G|2.4+5G] [--tx-rate TEXT] [--bg-protection N]
               [--tx-burst on|off]
                             store them and reconnect, as the advanced page&apos;s Apply
  about [--json]             driver, EEPROM and utility versions, MAC address

key options: --passphrase TEXT|- (- reads standard input), --cipher tkip|aes,
  --wep-hex N=KEY, --wep-ascii N=KEY (N 1..4, repeatable), --wep-default N, --shared

Exit status: 0 done; 1 no adapter, no such network or profile, refused, not connected;
2 bad usage or a key the rules refuse.
The adapter is found through the service registry folder (CORVANE_IOREGISTRY).
</source>
        <translation>usage : corvane [--trace] COMMANDE [ARGUMENTS]

  status [--json]            état de la liaison, réseau, BSSID, type, canal, qualité de
                             la liaison
  status --watch [SECONDS]   état et qualité de la liaison sur les 5 dernières minutes,
                             une ligne par seconde jusqu’à interruption ou pendant
                             SECONDS secondes
  scan [--group] [--json]    rechercher et lister les réseaux à portée avec leur
                             sécurité ; --group : une ligne par réseau, ses points
                             d’accès en dessous
  join BSSID [options de clé]
                             se connecter à un réseau à portée, comme « Connecter » de
                             la recherche de réseaux
  join --qr TEXT|-           se connecter au réseau que désigne un texte QR Wi-Fi
                             (- le lit)
  init                       initialiser la carte (attente du pilote, EEPROM, région,
                             radio)
  psk SSID PASSPHRASE|-      la clé pré-partagée de 32 octets en 64 chiffres
                             hexadécimaux
  profiles [--json [--show-keys]]
                             les profils enregistrés
  profiles add BSSID|--ssid TEXT [options]
                             enregistrer un nouveau profil, comme « OK » de l’éditeur de
                             profil
  profiles delete NAME|INDEX supprimer un profil enregistré
  profiles share NAME|INDEX [--show-keys] [--png FILE]
                             le profil en code QR Wi-Fi, tel que le lisent les
                             téléphones
  profiles export FILE       écrire les profils enregistrés dans une liste de propriétés
  profiles import FILE... [--replace]
                             des profils depuis une liste de propriétés, une
                             configuration wpa_supplicant ou des fichiers keyfile de
                             NetworkManager
  connect NAME|INDEX         activer un profil enregistré et attendre l’association
  disconnect                 couper l’association et marquer le profil actif comme
                             inactif
  radio on|off               commuter la radio, comme l’interrupteur radio de la page
                             avancée
  advanced [--json]          les réglages avancés et les choix que propose cet
                             adaptateur
  advanced set [--wireless-mode 2.4G|5G|2.4+5G] [--tx-rate TEXT] [--bg-protection N]
               [--tx-burst on|off]
                             les enregistrer et se reconnecter, comme « Appliquer » de
                             la page avancée
  about [--json]             versions du pilote, de l’EEPROM et de l’utilitaire, adresse
                             MAC

options de clé : --passphrase TEXT|- (- lit l’entrée standard), --cipher tkip|aes,
  --wep-hex N=KEY, --wep-ascii N=KEY (N de 1 à 4, répétable), --wep-default N, --shared

Code de sortie : 0 terminé ; 1 pas d’adaptateur, réseau ou profil inexistant, refus,
non connecté ; 2 mauvais usage ou clé refusée par les règles.
L’adaptateur est trouvé par le dossier du registre des services (CORVANE_IOREGISTRY).
</translation>
    </message>
</context>
</TS>
