#!/usr/bin/env python3
"""Writes the built-in language files resources/lang/RC_LANG_GERMAN and RC_LANG_HUNGARIAN.

The texts live here in UTF-8, side by side with the English text of each entry, so that a
reviewer sees all three languages of an entry in one line. The files are written as the program
reads them: the German file in Windows-1252, the Hungarian file in Windows-1250, lines ending in
CR LF, window entries with eight-digit numbers in rising order, constants in name order.

Usage: tools/make_language_files.py [output folder]   (default: resources/lang beside this script)
"""

import pathlib
import sys

GENERATOR = "Skyvane language tools 0.5"
LAST_MODIFIED = "2025-06-01 12:00:00"
SOURCE_LANGID = 1033
SITE = "www.skyvane.org"

HTML_FILTER = ("HTML (*.html, *.htm)|*.html;*.htm|All extensions (*.*)|*.*",
               "HTML (*.html, *.htm)|*.html;*.htm|Alle Dateien (*.*)|*.*",
               "HTML (*.html, *.htm)|*.html;*.htm|Minden fájl (*.*)|*.*")
CSV_FILTER = ("CSV (*.csv)|*.csv|All extensions (*.*)|*.*",
              "CSV (*.csv)|*.csv|Alle Dateien (*.*)|*.*",
              "CSV (*.csv)|*.csv|Minden fájl (*.*)|*.*")
GIF_FILTER = ("GIF Image (*.gif)|*.GIF|All extensions (*.*)|*.*",
              "GIF-Bild (*.gif)|*.GIF|Alle Dateien (*.*)|*.*",
              "GIF-kép (*.gif)|*.GIF|Minden fájl (*.*)|*.*")

# Sections in the order the files list them: entry number, English, German, Hungarian.
SECTIONS = [
    ("frmAbout", [
        (1, "About ...", "Über ...", "Névjegy ..."),
        (3, "About ...", "Über ...", "Névjegy ..."),
        (13, "&OK", "&OK", "&OK"),
        (14, "&Credits", "&Credits", "&Közreműködők"),
        (15, "&License", "&Lizenz", "&Licenc"),
    ]),
    ("frmEarth", [
        (1, "Worldmap", "Weltkarte", "Világtérkép"),
    ]),
    ("frmMain", [
        (1, "quor's Skyvane", "quor's Skyvane", "quor's Skyvane"),
        (3, "Azimuth & Elevation", "Azimut & Elevation", "Azimut & eleváció"),
        (5, "&Calc", "&Berechnen", "Szá&mítás"),
        (6, "Longitude", "Längengrad", "Hosszúság"),
        (8, "West", "West", "Nyugat"),
        (9, "East", "Ost", "Kelet"),
        (10, "Latitude", "Breitengrad", "Szélesség"),
        (12, "North", "Nord", "Észak"),
        (13, "South", "Süd", "Dél"),
        (14, "&Worldmap", "&Weltkarte", "&Világtérkép"),
        (15, "&File", "&Datei", "&Fájl"),
        (16, "&Print", "&Drucken", "&Nyomtatás"),
        (17, "Export to &HTML", "Als &HTML exportieren", "Exportálás &HTML-be"),
        (19, "&Quit", "&Beenden", "&Kilépés"),
        (20, "&Help", "&Hilfe", "&Súgó"),
        (21, "&About ...", "&Über ...", "&Névjegy ..."),
        (22, "&Details", "&Details", "&Részletek"),
        (23, "&Obstacle calculator", "&Hindernisrechner", "&Akadálykalkulátor"),
        (24, "&Sun Outage", "&Sonnenstörung", "&Napzavar"),
        (25, "&Switch Language", "&Sprache wechseln", "Nyel&v váltása"),
        (26, "&Locations", "&Orte", "&Helyszínek"),
        (27, "Use magnetic declination", "Magnetische Deklination verwenden",
         "Mágneses deklináció használata"),
        (28, "Magnetic declination:", "Magnetische Deklination:", "Mágneses deklináció:"),
        (29, "*.html", "*.html", "*.html"),
        (30, *HTML_FILTER),
        (31, "&Export", "&Exportieren", "&Exportálás"),
        (32, "Export to &CSV", "Als &CSV exportieren", "Exportálás &CSV-be"),
        (33, "*.csv", "*.csv", "*.csv"),
        (34, *CSV_FILTER),
        (35, f"&Visit {SITE}", f"&Website {SITE} besuchen",
         f"Látogasson el a &{SITE} oldalra"),
        (36, "&Help", "&Hilfe", "&Súgó"),
        (37, "Position", "Position", "Pozíció"),
        (38, "Satellite name", "Satellitenname", "Műhold neve"),
        (39, "Azimuth", "Azimut", "Azimut"),
        (40, "°", "°", "°"),
        (41, "Elevation", "Elevation", "Eleváció"),
        (42, "°", "°", "°"),
        (43, "Skew", "LNB-Drehung", "LNB-elforgatás"),
        (44, "°", "°", "°"),
        (45, "&Tools", "E&xtras", "&Eszközök"),
        (46, "&Obstacle calculator", "&Hindernisrechner", "&Akadálykalkulátor"),
    ]),
    ("frmSatDetail", [
        (6, "Longitude:", "Längengrad:", "Hosszúság:"),
        (10, "Latitude:", "Breitengrad:", "Szélesség:"),
        (16, "&Save Image", "Bild &speichern", "Kép &mentése"),
        (17, *GIF_FILTER),
        (18, "&File", "&Datei", "&Fájl"),
        (19, "&Close", "&Schließen", "&Bezárás"),
        (20, "Export to &HTML", "Als &HTML exportieren", "Exportálás &HTML-be"),
        (21, "*.html", "*.html", "*.html"),
        (22, *HTML_FILTER),
    ]),
    ("frmSunOutage", [
        (1, "Sun Outage", "Sonnenstörung", "Napzavar"),
        (3, "Sun Outage", "Sonnenstörung", "Napzavar"),
        (6, "Dish diameter", "Spiegeldurchmesser", "Antennaátmérő"),
        (10, "m", "m", "m"),
        (11, "Spring", "Frühjahr", "Tavasz"),
        (12, "Fall", "Herbst", "Ősz"),
        (14, "C-Band", "C-Band", "C-sáv"),
        (15, "Ku-Band", "Ku-Band", "Ku-sáv"),
        (16, "&File", "&Datei", "&Fájl"),
        (19, "&Close", "&Schließen", "&Bezárás"),
        (20, "&Export", "&Exportieren", "&Exportálás"),
        (21, "Export to &HTML", "Als &HTML exportieren", "Exportálás &HTML-be"),
        (22, "Export to &CSV", "Als &CSV exportieren", "Exportálás &CSV-be"),
        (23, "*.csv", "*.csv", "*.csv"),
        (24, *CSV_FILTER),
        (25, "*.html", "*.html", "*.html"),
        (26, *HTML_FILTER),
        (27, "Year", "Jahr", "Év"),
        (28, "Predicted Date", "Datum", "Várható dátum"),
        (29, "Start (GMT)", "Beginn (GMT)", "Kezdete (GMT)"),
        (30, "End (GMT)", "Ende (GMT)", "Vége (GMT)"),
        (31, "Duration", "Dauer", "Időtartam"),
        (32, "The search stopped at its limit: the table may be incomplete.",
         "Die Suche hat ihre Grenze erreicht: die Tabelle ist womöglich unvollständig.",
         "A keresés elérte a korlátját: a táblázat hiányos lehet."),
        (33, "Export to ca&lendar (.ics)", "In &Kalender exportieren (.ics)",
         "Exportálás &naptárba (.ics)"),
        (34, "*.ics", "*.ics", "*.ics"),
        (35, "Calendar (*.ics)|*.ics|All extensions (*.*)|*.*",
         "Kalender (*.ics)|*.ics|Alle Dateien (*.*)|*.*",
         "Naptár (*.ics)|*.ics|Minden fájl (*.*)|*.*"),
        (36, "Sun outage: %s from %s", "Sonnenstörung: %s von %s aus", "Napzavar: %s, innen: %s"),
        (37, "Sun outage in %s minutes", "Sonnenstörung in %s Minuten", "Napzavar %s perc múlva"),
        (38, "Times in", "Zeiten in", "Időpontok"),
        (39, "GMT", "GMT", "GMT"),
        (40, "the site's local time", "Ortszeit des Standorts", "a helyszín helyi idejében"),
        (41, "Local time", "Ortszeit", "Helyi idő"),
        (42, "Export for a list of &sites (CSV, HTML, ICS) ...",
         "Für eine &Standortliste exportieren (CSV, HTML, ICS) ...",
         "Exportálás &helyszínlistára (CSV, HTML, ICS) ..."),
        (43, "Sites (*.csv *.txt)|*.csv;*.txt|All extensions (*.*)|*.*",
         "Standorte (*.csv *.txt)|*.csv;*.txt|Alle Dateien (*.*)|*.*",
         "Helyszínek (*.csv *.txt)|*.csv;*.txt|Minden fájl (*.*)|*.*"),
        (44, "Predicting for %s sites ...", "Vorhersage für %s Standorte ...",
         "Előrejelzés %s helyszínre ..."),
        (45, "Site", "Standort", "Helyszín"),
        (46, "Latitude", "Breitengrad", "Szélesség"),
        (47, "Longitude", "Längengrad", "Hosszúság"),
        (48, "Outage by", "Störung nach", "Zavar számítása"),
        (49, "the 3 dB beamwidth", "der 3-dB-Keulenbreite", "a 3 dB-es nyalábszélesség szerint"),
        (50, "C/N degradation (ITU-R S.1525-1)", "C/N-Verschlechterung (ITU-R S.1525-1)",
         "C/N-romlás szerint (ITU-R S.1525-1)"),
        (51, "System noise", "Systemrauschen", "Rendszerzaj"),
        (52, "K", "K", "K"),
        (53, "Link margin", "Linkreserve", "Összeköttetési tartalék"),
        (54, "dB", "dB", "dB"),
        (55, "Frequency", "Frequenz", "Frekvencia"),
        (56, "GHz", "GHz", "GHz"),
        (57, "Peak C/N loss (dB)", "Größter C/N-Verlust (dB)", "Legnagyobb C/N-veszteség (dB)"),
        (58, "Outage within %s° of the satellite: half the 3 dB beamwidth plus the sun's radius.",
         "Störung innerhalb %s° um den Satelliten: halbe 3-dB-Keulenbreite plus Sonnenradius.",
         "Zavar a műholdtól %s°-on belül: a 3 dB-es nyalábszélesség fele és a Nap sugara."),
        (59, "Outage within %s°, where the quiet sun (%s K) costs more than the margin, up to %s "
             "dB.",
         "Störung innerhalb %s°, wo die ruhige Sonne (%s K) mehr als die Reserve kostet, bis %s "
         "dB.",
         "Zavar %s°-on belül, ahol a nyugodt Nap (%s K) a tartaléknál többet ront, legfeljebb %s "
         "dB."),
        (60, "The quiet sun (%s K) costs %s dB at most, within the margin: no outage.",
         "Die ruhige Sonne (%s K) kostet höchstens %s dB, innerhalb der Reserve: keine Störung.",
         "A nyugodt Nap (%s K) legfeljebb %s dB-t ront, a tartalékon belül: nincs zavar."),
        (61, "CSV (*.csv)|*.csv|HTML (*.html, *.htm)|*.html;*.htm|Calendar (*.ics)|*.ics|All "
             "extensions (*.*)|*.*",
         "CSV (*.csv)|*.csv|HTML (*.html, *.htm)|*.html;*.htm|Kalender (*.ics)|*.ics|Alle "
         "Dateien (*.*)|*.*",
         "CSV (*.csv)|*.csv|HTML (*.html, *.htm)|*.html;*.htm|Naptár (*.ics)|*.ics|Minden "
         "fájl (*.*)|*.*"),
    ]),
    ("frmLocations", [
        (1, "Location database", "Ortsdatenbank", "Helyszín-adatbázis"),
        (2, "&Apply", "&Übernehmen", "&Alkalmaz"),
        (3, "Country:", "Land:", "Ország:"),
        (4, "City:", "Ort:", "Település:"),
        (5, "&Cancel", "&Abbrechen", "&Mégse"),
        (7, "Latitude:", "Breitengrad:", "Szélesség:"),
        (8, "Longitude:", "Längengrad:", "Hosszúság:"),
    ]),
    ("frmMotor", [
        (1, "Motor", "Motor", "Motor"),
        (3, "Motor", "Motor", "Motor"),
        (4, "&File", "&Datei", "&Fájl"),
        (5, "Export to &HTML", "Als &HTML exportieren", "Exportálás &HTML-be"),
        (6, "&Close", "&Schließen", "&Bezárás"),
        (7, "*.html", "*.html", "*.html"),
        (8, HTML_FILTER[0], HTML_FILTER[1], HTML_FILTER[2]),
        (10, "Polar mount set-up", "Einstellung der Polarmontierung", "A poláris tartó beállítása"),
        (11, "Motor elevation", "Motorelevation", "Motor elevációja"),
        (12, "Declination offset", "Deklinationsversatz", "Deklinációs eltolás"),
        (13, "Dish elevation at the meridian", "Spiegelelevation im Meridian",
         "Az antenna elevációja a délkörben"),
        (14, "On the dish's scale", "Auf der Skala des Spiegels", "Az antenna skáláján"),
        (15, "Modified polar mount", "Modifizierte Polarmontierung", "Módosított poláris tartó"),
        (16, "Reachable arc", "Erreichbarer Bogen", "Elérhető ív"),
        (17, "Motor angles at its ends", "Motorwinkel an seinen Enden", "Motorszögek az ív végein"),
        (20, "Dish and motor", "Spiegel und Motor", "Antenna és motor"),
        (21, "Minimum elevation", "Minimale Elevation", "Minimális eleváció"),
        (22, "Dish offset angle", "Offsetwinkel des Spiegels", "Az antenna offszetszöge"),
        (23, "Motor speed at 13 V", "Motorgeschwindigkeit bei 13 V", "Motorsebesség 13 V-on"),
        (24, "Motor speed at 18 V", "Motorgeschwindigkeit bei 18 V", "Motorsebesség 18 V-on"),
        (30, "Satellite", "Satellit", "Műhold"),
        (31, "Satellite", "Satellit", "Műhold"),
        (32, "Motor angle", "Motorwinkel", "Motorszög"),
        (33, "DiSEqC 1.2 Goto X", "DiSEqC 1.2 Goto X", "DiSEqC 1.2 Goto X"),
        (34, "The dish points at", "Der Spiegel zeigt auf", "Az antenna most erre néz"),
        (35, "Swing time", "Schwenkzeit", "Fordulási idő"),
        (40, "axis %s steeper, declination offset %s", "Achse %s steiler, Deklinationsversatz %s",
         "tengely %s-kal meredekebb, deklinációs eltolás %s"),
        (41, "%s to %s", "%s bis %s", "%s – %s"),
        (42, "%s s at 13 V, %s s at 18 V", "%s s bei 13 V, %s s bei 18 V",
         "%s s 13 V-on, %s s 18 V-on"),
        (43, "No part of the arc is that high here.", "Kein Teil des Bogens steht hier so hoch.",
         "Az ív egyetlen része sem áll itt ilyen magasan."),
        (44, "Motor for %s at %s", "Motor für %s auf %s", "Motor: %s, pozíció: %s"),
        (45, "%s: below the minimum elevation", "%s: unter der minimalen Elevation",
         "%s: a minimális eleváció alatt"),
    ]),
    ("frmObstacles", [
        (1, "Obstacle calculator", "Hindernisrechner", "Akadálykalkulátor"),
        (3, "Obstacle calculator", "Hindernisrechner", "Akadálykalkulátor"),
        (6, "Elevation", "Elevation", "Eleváció"),
        (7, "Distance", "Entfernung", "Távolság"),
        (8, "Height", "Höhe", "Magasság"),
        (10, "Which value do you want to calculate?", "Welchen Wert möchten Sie berechnen?",
         "Melyik értéket szeretné kiszámítani?"),
        (11, "Minimum elevation of antenna", "Minimale Elevation der Antenne",
         "Az antenna minimális elevációja"),
        (12, "Minimum distance to obstacle", "Minimale Entfernung zum Hindernis",
         "Minimális távolság az akadálytól"),
        (13, "Maximum height of obstacle", "Maximale Höhe des Hindernisses",
         "Az akadály maximális magassága"),
        (14, "Height: difference between total height of the obstacle and height of the lowest "
             "point of the antenna",
         "Höhe: Unterschied zwischen der Gesamthöhe des Hindernisses und der Höhe des tiefsten "
         "Punkts der Antenne",
         "Magasság: az akadály teljes magassága és az antenna legalacsonyabb pontjának "
         "magassága közötti különbség"),
        (15, "&File", "&Datei", "&Fájl"),
        (16, "&Close", "&Schließen", "&Bezárás"),
        (17, "&Add this obstacle to the site's horizon",
         "Hindernis zum Horizont des Standorts &hinzufügen",
         "Az akadály &hozzáadása a helyszín horizontjához"),
        (18, "Added to the site's horizon: up to %s° at azimuth %s°.",
         "Zum Horizont des Standorts hinzugefügt: bis %s° bei %s° Azimut.",
         "Hozzáadva a helyszín horizontjához: %s°-ig, %s°-os azimutnál."),
    ]),
    ("frmHorizon", [
        (1, "Horizon of the site", "Horizont des Standorts", "A helyszín horizontja"),
        (2, "Azimuth (degrees from true north) and elevation (degrees) of the skyline, one point "
            "a row. Between the points the skyline runs straight; after the last point it "
            "returns to the first across north.",
         "Azimut (Grad von geographisch Nord) und Elevation (Grad) der Horizontlinie, ein Punkt "
         "je Zeile. Zwischen den Punkten verläuft die Linie gerade; nach dem letzten Punkt kehrt "
         "sie über Nord zum ersten zurück.",
         "A horizontvonal azimutja (fok, földrajzi északtól) és elevációja (fok), soronként egy "
         "pont. A pontok között a vonal egyenes; az utolsó pont után északon át visszatér az "
         "elsőhöz."),
        (3, "&Add point", "Punkt &hinzufügen", "Pont &hozzáadása"),
        (4, "&Remove point", "Punkt &entfernen", "Pont &törlése"),
        (5, "C&lear", "&Leeren", "&Ürítés"),
        (6, "&Import horizon file ...", "Horizontdatei &importieren ...",
         "Horizontfájl &importálása ..."),
        (8, "Azimuth (°)", "Azimut (°)", "Azimut (°)"),
        (9, "Elevation (°)", "Elevation (°)", "Eleváció (°)"),
        (10, "Row %s is not an azimuth and an elevation between -90 and 90 degrees.",
         "Zeile %s ist kein Azimut mit einer Elevation zwischen -90 und 90 Grad.",
         "A(z) %s. sor nem azimut és -90 és 90 fok közötti eleváció."),
        (11, "The horizon file was not read: %s", "Die Horizontdatei wurde nicht gelesen: %s",
         "A horizontfájl nem lett beolvasva: %s"),
        (12, "Horizon files (*.hzn *.txt *.dat);;All files (*)",
         "Horizontdateien (*.hzn *.txt *.dat);;Alle Dateien (*)",
         "Horizontfájlok (*.hzn *.txt *.dat);;Minden fájl (*)"),
    ]),
]

# The catalogue's File menu items and texts (frmMain entries 60 and up), kept in a block of their
# own: entry number, English, German, Hungarian.
CATALOGUE_FILTER = "*.dat;*.xml;*.json;*.csv;*.txt;*.tle"
CATALOGUE_PATTERNS = "(*.dat *.xml *.json *.csv *.txt *.tle)"
CATALOGUE_ENTRIES = [
    (60, "&Import catalogue ...", "Katalog &importieren ...", "Katalógus &importálása ..."),
    (61, "Use the &shipped catalogue", "&Mitgelieferten Katalog verwenden",
     "A &mellékelt katalógus használata"),
    (62, f"Catalogues and element lists {CATALOGUE_PATTERNS}|{CATALOGUE_FILTER}|"
         "All extensions (*.*)|*.*",
     f"Kataloge und Bahnelemente {CATALOGUE_PATTERNS}|{CATALOGUE_FILTER}|Alle Dateien (*.*)|*.*",
     f"Katalógusok és pályaelemek {CATALOGUE_PATTERNS}|{CATALOGUE_FILTER}|Minden fájl (*.*)|*.*"),
    (63, "working folder", "Arbeitsordner", "munkamappa"),
    (64, "your import", "Ihr Import", "saját import"),
    (65, "shipped", "mitgeliefert", "mellékelt"),
    (66, "built-in", "eingebaut", "beépített"),
    (67, "Catalogue: %s", "Katalog: %s", "Katalógus: %s"),
    (68, "Import catalogue", "Katalog importieren", "Katalógus importálása"),
    (69, "%s positions imported into your catalogue.",
     "%s Positionen in Ihren Katalog importiert.", "%s pozíció importálva a saját katalógusba."),
    (70, "The catalogue was not imported; the previous one stays in use.",
     "Der Katalog wurde nicht importiert; der bisherige bleibt in Gebrauch.",
     "A katalógus importálása nem sikerült; az eddigi marad használatban."),
    (71, "Your catalogue could not be removed and stays in use.",
     "Ihr Katalog konnte nicht entfernt werden und bleibt in Gebrauch.",
     "A saját katalógus nem távolítható el, használatban marad."),
    (80, "element sets %s days old", "Bahnelemente %s Tage alt", "a pályaelemek %s naposak"),
    (81, "The element sets are %s days old: the positions are those of that time and may be out of date.",
     "Die Bahnelemente sind %s Tage alt: die Positionen sind die von damals und können veraltet sein.",
     "A pályaelemek %s naposak: a pozíciók az akkoriak, és elavultak lehetnek."),
    (82, "It is not in use while the working folder holds %s: that file comes first.",
     "Er ist nicht in Gebrauch, solange der Arbeitsordner %s enthält: diese Datei hat Vorrang.",
     "Nincs használatban, amíg a munkamappában ott van a(z) %s: az a fájl élvez elsőbbséget."),
    (83, "Reading %s ...", "%s wird gelesen ...", "%s beolvasása ..."),
    (84, "Add the imported positions to your catalogue (the positions it already holds are updated), or replace your catalogue with them?",
     "Die importierten Positionen Ihrem Katalog hinzufügen (die schon enthaltenen werden aktualisiert) oder Ihren Katalog durch sie ersetzen?",
     "Hozzáadja az importált pozíciókat a saját katalógusához (a már meglévők frissülnek), vagy lecseréli velük a katalógusát?"),
    (85, "&Add", "&Hinzufügen", "&Hozzáadás"),
    (86, "&Replace", "&Ersetzen", "&Csere"),
    (87, "%s positions added to your catalogue or updated in it.",
     "%s Positionen zu Ihrem Katalog hinzugefügt oder darin aktualisiert.",
     "%s pozíció hozzáadva a saját katalógushoz vagy frissítve benne."),
    (88, "Your imported catalogue will be deleted and the shipped catalogue used again.",
     "Ihr importierter Katalog wird gelöscht und wieder der mitgelieferte verwendet.",
     "Az importált katalógus törlődik, és ismét a mellékelt katalógus lesz használatban."),
    (89, "&Delete my catalogue", "Meinen Katalog &löschen", "Saját katalógus &törlése"),
    (90, "Print pre&view", "Druck&vorschau", "Nyomtatási &kép"),
    (91, "Date: %s", "Datum: %s", "Dátum: %s"),
    (92, "Catalogue: %s", "Katalog: %s", "Katalógus: %s"),
    (93, "Azimuths: from true north", "Azimute: von geographisch Nord", "Azimutok: földrajzi északtól"),
    (94, "Azimuths: magnetic", "Azimute: magnetisch", "Azimutok: mágneses"),
    (95, "(magnetic)", "(magnetisch)", "(mágneses)"),
    (96, "&View", "&Ansicht", "&Nézet"),
    (97, "&Motor column", "&Motorspalte", "&Motor oszlop"),
    (98, "Motor", "Motor", "Motor"),
    (99, "&Motor", "&Motor", "&Motor"),
    (100, "&Motor", "&Motor", "&Motor"),
    (101, "The element sets are %s days old: the satellites have moved since, and inclined ones "
          "far. Use them all the same?",
     "Die Bahnelemente sind %s Tage alt: die Satelliten haben sich seither bewegt, geneigte weit. "
     "Trotzdem verwenden?",
     "A pályaelemek %s naposak: a műholdak azóta elmozdultak, a ferde pályájúak messzire. "
     "Mégis használja őket?"),
    (102, "&Use them", "&Verwenden", "&Használat"),
    (103, "&Geodetic precision", "&Geodätische Genauigkeit", "&Geodéziai pontosság"),
    (104, "Look angles: WGS84 ellipsoid, site %s m above it, with refraction",
     "Blickwinkel: WGS84-Ellipsoid, Standort %s m darüber, mit Refraktion",
     "Rálátási szögek: WGS84 ellipszoid, a helyszín %s m-rel felette, refrakcióval"),
    (105, "Site &height ...", "Standort&höhe ...", "A helyszín &magassága ..."),
    (106, "Height of the site above the WGS84 ellipsoid, in metres:",
     "Höhe des Standorts über dem WGS84-Ellipsoid, in Metern:",
     "A helyszín magassága a WGS84 ellipszoid felett, méterben:"),
]
# The Sites menu and the list's horizon option (frmMain entries 107 and up).
SITES_ENTRIES = [
    (107, "&Sites", "&Standorte", "&Helyszínek"),
    (108, "&Save current site ...", "Aktuellen Standort &speichern ...",
     "Az aktuális helyszín &mentése ..."),
    (109, "&Open site ...", "Standort ö&ffnen ...", "Helyszín &megnyitása ..."),
    (110, "&Rename site ...", "Standort &umbenennen ...", "Helyszín át&nevezése ..."),
    (111, "&Delete site ...", "Standort &löschen ...", "Helyszín &törlése ..."),
    (112, "Re&cent sites", "&Zuletzt verwendete Standorte", "&Legutóbbi helyszínek"),
    (113, "&Import sites from CSV ...", "Standorte aus CSV &importieren ...",
     "Helyszínek &importálása CSV-ből ..."),
    (114, "&Export sites to CSV ...", "Standorte als CSV &exportieren ...",
     "Helyszínek &exportálása CSV-be ..."),
    (115, "&Horizon of the site ...", "&Horizont des Standorts ...",
     "A helyszín &horizontja ..."),
    (116, "Hide satellites &blocked by horizon", "Vom Horizont &verdeckte Satelliten ausblenden",
     "A horizont által &takart műholdak elrejtése"),
    (117, "Name of the site:", "Name des Standorts:", "A helyszín neve:"),
    (118, "Site:", "Standort:", "Helyszín:"),
    (119, "New name of the site %s:", "Neuer Name des Standorts %s:",
     "A(z) %s helyszín új neve:"),
    (120, "Delete the site %s from the site book?", "Den Standort %s aus dem Standortbuch löschen?",
     "Törli a(z) %s helyszínt a helyszínkönyvből?"),
    (121, "The site book has a site %s already. Replace it?",
     "Das Standortbuch enthält schon einen Standort %s. Ersetzen?",
     "A helyszínkönyvben már van %s nevű helyszín. Lecseréli?"),
    (122, "Replace", "Ersetzen", "Csere"),
    (123, "Delete", "Löschen", "Törlés"),
    (124, "The name \"%s\" cannot be used: it is empty, holds a semicolon or a line break, or "
          "another site has it.",
     "Der Name \"%s\" ist nicht verwendbar: er ist leer, enthält ein Semikolon oder einen "
     "Zeilenumbruch, oder ein anderer Standort trägt ihn.",
     "A(z) \"%s\" név nem használható: üres, pontosvesszőt vagy sortörést tartalmaz, vagy egy "
     "másik helyszín viseli."),
    (125, "The site book could not be saved: %s", "Das Standortbuch konnte nicht gespeichert werden: %s",
     "A helyszínkönyv nem menthető: %s"),
    (126, "%s sites imported into the site book.", "%s Standorte ins Standortbuch importiert.",
     "%s helyszín importálva a helyszínkönyvbe."),
    (127, "No site was imported. %s", "Es wurde kein Standort importiert. %s",
     "Egy helyszín sem lett importálva. %s"),
    (128, "The site book has no sites yet.", "Das Standortbuch enthält noch keine Standorte.",
     "A helyszínkönyv még üres."),
    (129, "The site book cannot be read. It was kept as %s; the site book starts empty.",
     "Das Standortbuch ist nicht lesbar. Es wurde als %s aufbewahrt; das Standortbuch beginnt leer.",
     "A helyszínkönyv nem olvasható. Megőriztük %s néven; a helyszínkönyv üresen indul."),
    (130, "The site book %s cannot be read and could not be moved aside. It is left as it is, "
          "and no site is saved until it is mended or removed.",
     "Das Standortbuch %s ist nicht lesbar und konnte nicht beiseitegelegt werden. Es bleibt, "
     "wie es ist, und kein Standort wird gespeichert, bis es repariert oder entfernt ist.",
     "A(z) %s helyszínkönyv nem olvasható, és nem sikerült félretenni. Változatlanul marad, "
     "és egy helyszín sem menthető, amíg ki nem javítják vagy el nem távolítják."),
    (150, "Installation &sheet ...", "Installations&blatt ...", "Telepítési &lap ..."),
    (151, "Dish &offset angle ...", "&Offsetwinkel des Spiegels ...", "Az antenna &ofszetszöge ..."),
    (152, "Offset angle of the dish in degrees (0 for a prime-focus dish):", "Offsetwinkel des Spiegels in Grad (0 für einen Primärfokusspiegel):", "Az antenna ofszetszöge fokban (0 primer fókuszú antennánál):"),
    (153, "Installation sheet: %s", "Installationsblatt: %s", "Telepítési lap: %s"),
    (154, "True azimuth", "Rechtweisendes Azimut", "Földrajzi azimut"),
    (155, "Magnetic azimuth", "Magnetisches Azimut", "Mágneses azimut"),
    (156, "Elevation", "Elevation", "Eleváció"),
    (157, "Plate tilt (offset %s°)", "Neigung des Halters (Offset %s°)", "A tartó dőlése (ofszet %s°)"),
    (158, "LNB skew", "LNB-Drehung", "LNB elforgatás"),
    (159, "Motor angle", "Motorwinkel", "Motorszög"),
    (160, "LNB seen from behind the dish", "LNB von hinter dem Spiegel gesehen", "Az LNB az antenna mögül nézve"),
    (161, "Horizon", "Horizont", "Látóhatár"),
    (162, "Site:", "Standort:", "Helyszín:"),
    (163, "Next sun outages (%s), %s", "Nächste Sonnenstörungen (%s), %s", "A következő napzavarok (%s), %s"),
    (164, "No sun outage in this season.", "Keine Sonnenstörung in dieser Zeit.", "Ebben az időszakban nincs napzavar."),
    (165, "Save as &PDF ...", "Als &PDF speichern ...", "Mentés &PDF-be ..."),
]
for _section, _entries in SECTIONS:
    if _section == "frmMain":
        _entries.extend(CATALOGUE_ENTRIES)
        _entries.extend(SITES_ENTRIES)

# Constant name, English, German, Hungarian. "%s" placeholders stay in the English order.
CONSTANTS = [
    ("constAzimuth", "Azimuth", "Azimut", "Azimut"),
    ("constBlockedByHorizon", "blocked by horizon", "vom Horizont verdeckt",
     "a horizont takarja"),
    ("constDetailsForSatAtLoc", "Details for %s at %s", "Details für %s auf %s",
     "Részletek: %s, pozíció: %s"),
    ("constEastShort", "E", "O", "K"),
    ("constElevation", "Elevation", "Elevation", "Eleváció"),
    ("constHorizonBlockedCount", "%s of them blocked by horizon",
     "davon %s vom Horizont verdeckt", "ebből %s-et a horizont takar"),
    ("constHorizonHiddenCount", "%s more blocked by horizon (hidden)",
     "%s weitere vom Horizont verdeckt (ausgeblendet)",
     "további %s-et a horizont takar (elrejtve)"),
    ("constImportBadEpoch", "%s: the EPOCH is not a date and time.",
     "%s: EPOCH ist kein Datum mit Uhrzeit.",
     "%s: az EPOCH nem dátum és időpont."),
    ("constImportBadUnicode", "The file is written in %s but is not valid text in it.",
     "Die Datei ist in %s geschrieben, enthält darin aber keinen gültigen Text.",
     "A fájl %s kódolású, de nem érvényes szöveg benne."),
    ("constImportBrokenJson", "The JSON is broken at character %s: %s.",
     "Das JSON ist bei Zeichen %s fehlerhaft: %s.",
     "A JSON hibás a(z) %s. karakternél: %s."),
    ("constImportBrokenXml", "The XML is broken at line %s: %s.",
     "Das XML ist in Zeile %s fehlerhaft: %s.",
     "Az XML hibás a(z) %s. sorban: %s."),
    ("constImportCancelled", "The import was cancelled.",
     "Der Import wurde abgebrochen.",
     "Az importálás megszakadt."),
    ("constImportFieldCount", "%s has %s fields where the header has %s.",
     "%s hat %s Felder, die Kopfzeile hat %s.",
     "%s: %s mezőből áll, a fejléc %s mezőből."),
    ("constImportLine", "Line %s",
     "Zeile %s",
     "%s. sor"),
    ("constImportMissingColumns", "The CSV header lacks the column(s) %s.",
     "In der CSV-Kopfzeile fehlen die Spalte(n) %s.",
     "A CSV fejlécéből hiányzik a(z) %s oszlop."),
    ("constImportNoGeostationary", "The file holds no geostationary satellite.",
     "Die Datei enthält keinen geostationären Satelliten.",
     "A fájlban nincs geostacionárius műhold."),
    ("constImportNoSatellite", "The file holds no satellite.",
     "Die Datei enthält keinen Satelliten.",
     "A fájlban nincs műhold."),
    ("constImportNotANumber", "%s: %s is not a number.",
     "%s: %s ist keine Zahl.",
     "%s: a(z) %s nem szám."),
    ("constImportNotCatalogueLine", "%s is not a catalogue line (position|name): \"%s\".",
     "%s ist keine Katalogzeile (Position|Name): \"%s\".",
     "%s nem katalógussor (pozíció|név): \"%s\"."),
    ("constImportNotOmmObject", "%s is not an OMM object.",
     "%s ist kein OMM-Objekt.",
     "%s nem OMM-objektum."),
    ("constImportOutOfRange", "%s: %s = %s is out of range.",
     "%s: %s = %s liegt außerhalb des gültigen Bereichs.",
     "%s: %s = %s a megengedett tartományon kívül esik."),
    ("constImportRecord", "Record %s",
     "Datensatz %s",
     "%s. rekord"),
    ("constImportSatPosition", "%s: the position \"%s\" is not in tenths of a degree.",
     "%s: Die Position \"%s\" ist nicht in Zehntelgrad angegeben.",
     "%s: a(z) \"%s\" pozíció nem tizedfokban van megadva."),
    ("constImportTleChecksum", "%s: the checksum does not match; the element set is damaged.",
     "%s: Die Prüfsumme stimmt nicht; der Elementsatz ist beschädigt.",
     "%s: az ellenőrzőösszeg nem egyezik, az elemkészlet sérült."),
    ("constImportTleDay", "%s: the epoch's day of the year is out of range.",
     "%s: Der Tag des Jahres der Epoche liegt außerhalb des gültigen Bereichs.",
     "%s: az epocha évnapja a megengedett tartományon kívül esik."),
    ("constImportTleLine2Missing", "%s: element line 2 is missing.",
     "%s: Elementzeile 2 fehlt.",
     "%s: hiányzik a 2. elemsor."),
    ("constImportTleNoNumber", "%s: columns %s to %s hold no number.",
     "%s: Die Spalten %s bis %s enthalten keine Zahl.",
     "%s: a(z) %s-%s. oszlopban nincs szám."),
    ("constImportTleShort", "%s: an element line is cut short.",
     "%s: Eine Elementzeile ist zu kurz.",
     "%s: egy elemsor túl rövid."),
    ("constImportTleYear", "%s: the epoch's year is not two digits.",
     "%s: Das Jahr der Epoche ist nicht zweistellig.",
     "%s: az epocha éve nem kétjegyű."),
    ("constImportTooLarge", "The file is %s MB; XML, JSON or CSV is read up to %s MB.",
     "Die Datei ist %s MB groß; XML, JSON oder CSV wird bis %s MB gelesen.",
     "A fájl %s MB; XML, JSON vagy CSV legfeljebb %s MB-ig olvasható be."),
    ("constImportUnknownXml", "The XML is neither a satellites.xml nor OMM (its root is <%s>).",
     "Das XML ist weder eine satellites.xml noch OMM (sein Wurzelelement ist <%s>).",
     "Az XML sem satellites.xml, sem OMM (gyökéreleme: <%s>)."),
    ("constImportXmlEntities", "The XML declares entities, which a satellite table or element list never needs; it is not read.",
     "Das XML deklariert Entities, die eine Satellitentabelle oder Elementliste nie braucht; es wird nicht gelesen.",
     "Az XML entitásokat deklarál, amelyekre műholdtáblázatnak vagy elemlistának soha nincs szüksége; nem kerül beolvasásra."),
    ("constInclinedSwing",
     "Inclined %s°: over a day it swings %s° in azimuth and %s° in elevation.",
     "Geneigt %s°: im Lauf eines Tages schwankt er %s° im Azimut und %s° in der Elevation.",
     "Inklináció %s°: egy nap alatt %s°-ot leng azimutban és %s°-ot elevációban."),
    ("constNorthShort", "N", "N", "É"),
    ("constObstacleRsltDistance", "The mimimum possible distance to the obstacle is %s m.",
     "Die minimal mögliche Entfernung zum Hindernis beträgt %s m.",
     "Az akadálytól mért legkisebb lehetséges távolság %s m."),
    ("constObstacleRsltElevation", "The minimum possible elevation is %s °.",
     "Die minimal mögliche Elevation beträgt %s °.",
     "A legkisebb lehetséges eleváció %s °."),
    ("constObstacleRsltHeight",
     "The maximum possible difference between the total height of the obstacle and the lowest "
     "point of the antenna is %s m.",
     "Der maximal mögliche Unterschied zwischen der Gesamthöhe des Hindernisses und dem "
     "tiefsten Punkt der Antenne beträgt %s m.",
     "Az akadály teljes magassága és az antenna legalacsonyabb pontja közötti legnagyobb "
     "lehetséges különbség %s m."),
    ("constSatTheoreticallyVisible", "%s satellites theoretically visible",
     "%s Satelliten theoretisch sichtbar", "%s műhold elméletileg látható"),
    ("constSaveFailed", "The file %s could not be saved: %s",
     "Die Datei %s konnte nicht gespeichert werden: %s", "A(z) %s fájl nem menthető: %s"),
    ("constSkew", "Skew", "LNB-Drehung", "LNB-elforgatás"),
    ("constSouthShort", "S", "S", "D"),
    ("constSunBehindHorizon", "The sun is behind the site's horizon then: no outage happens.",
     "Die Sonne steht dann hinter dem Horizont des Standorts: es gibt keine Störung.",
     "A nap ekkor a helyszín horizontja mögött van: nincs napzavar."),
    ("constSunOutageForSatAtLoc", "Sun Outage for %s at %s", "Sonnenstörung für %s auf %s",
     "Napzavar: %s, pozíció: %s"),
    ("constTrackingNeeded",
     "That is more than the dish's half beamwidth of %s°: a fixed dish loses the satellite for "
     "part of the day, so a tracking mount is needed.",
     "Das ist mehr als die halbe Keulenbreite des Spiegels von %s°: ein fest ausgerichteter "
     "Spiegel verliert den Satelliten für einen Teil des Tages, eine nachführende Montierung ist "
     "nötig.",
     "Ez több, mint az antenna %s°-os fél nyalábszélessége: egy rögzített antenna a nap egy "
     "részében elveszíti a műholdat, ezért követő tartó szükséges."),
    ("constTranslatedBy", "", "", ""),
    ("constWestShort", "W", "W", "Ny"),
]

LANGUAGES = [
    # resource name, LANGID, code page, column in the tables, header lines before SourceLANGID
    ("RC_LANG_GERMAN", 1031, "cp1252", 2, [("Author", "quor")]),
    ("RC_LANG_HUNGARIAN", 1038, "cp1250", 3, []),
]


def escape(text):
    """The stored form of a value: line breaks, tabs, backslashes and controls escaped."""
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c in "\r\n":
            if i + 1 < len(text) and text[i + 1] in "\r\n" and text[i + 1] != c:
                i += 1
            out.append("\\n")
        elif c == "\t":
            out.append("\\t")
        elif c == "\\":
            out.append("\\\\")
        elif ord(c) < 32:
            out.append("\\%02d" % ord(c))
        else:
            out.append(c)
        i += 1
    return "".join(out)


def placeholders(text):
    return text.count("%s")


def check_tables():
    for name, entries in SECTIONS:
        numbers = [entry[0] for entry in entries]
        assert numbers == sorted(set(numbers)), f"{name}: entry numbers not rising and unique"
        for entry in entries:
            assert len(entry) == 4, f"{name} {entry[0]}: needs English, German and Hungarian"
    names = [constant[0] for constant in CONSTANTS]
    assert names == sorted(names, key=str.lower), "constants not in name order"
    for constant in CONSTANTS:
        english = placeholders(constant[1])
        assert all(placeholders(t) == english for t in constant[2:]), constant[0]


def language_lines(langid, column, header):
    lines = [f"{key}={escape(value)}" for key, value in header]
    lines += [f"SourceLANGID={SOURCE_LANGID}", f"LANGID={langid}",
              f"Generator={GENERATOR}", f"LastModified={LAST_MODIFIED}"]
    for name, entries in SECTIONS:
        lines += ["", f"[{name}]"]
        lines += [f"{entry[0]:08d}={escape(entry[column])}" for entry in entries]
    lines += ["", "[$CONSTANTS]"]
    lines += [f"{constant[0]}={escape(constant[column])}" for constant in CONSTANTS]
    return lines


def main():
    check_tables()
    here = pathlib.Path(__file__).resolve().parent
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else here.parent / "resources/lang"
    folder.mkdir(parents=True, exist_ok=True)
    for resource, langid, codec, column, header in LANGUAGES:
        text = "\r\n".join(language_lines(langid, column, header)) + "\r\n"
        # errors="strict": a character the code page lacks must stop the run, not become "?".
        (folder / resource).write_bytes(text.encode(codec, errors="strict"))
        print(f"wrote {folder / resource}")


if __name__ == "__main__":
    main()
