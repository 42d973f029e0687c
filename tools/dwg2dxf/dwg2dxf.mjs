// Converts one DWG drawing to DXF with LibreDWG (its WebAssembly build).
//
//   node --liftoff-only dwg2dxf.mjs INPUT.dwg OUTPUT.dxf
//
// qrvhost runs this as a process of its own; it is never linked into the
// host. On success it writes OUTPUT.dxf and prints, one fact a line, what
// the host needs to mend and to tell about the DXF:
//
//   version AC1018
//   not-converted MULTILEADER 15      kinds of object the DXF holds fewer of
//   layer-off 2F                      layers (by handle) that are off
//   header DIMCLRD 256 C3000004       the header's colours: index, colour word
//   dimstyle 27 DIMDEC 0              numeric values of each dimension style
//   dimstyle-colour 27 DIMTFILLCLR 97 0   a style's colour: index, colour word
//
// On failure it prints the reason on standard error and exits with 1 (the
// input cannot be read or is no DWG), 2 (LibreDWG refused the drawing) or
// 3 (usage). A crash of the module ends Node with its own status.

import { readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const args = process.argv.slice(2);
if (args.length !== 2) {
  process.stderr.write('usage: dwg2dxf.mjs INPUT.dwg OUTPUT.dxf\n');
  process.exit(3);
}
const [inputPath, outputPath] = args;

const wasmDir = join(dirname(fileURLToPath(import.meta.url)),
  'node_modules', '@mlightcad', 'libredwg-web', 'wasm');

// LibreDWG's error word: this bit and those above it mean the drawing could
// not be read; the ones below are warnings about parts it skipped.
const CRITICAL_ERROR = 128;

// The dimension variables with a numeric value: the ones whose value the
// host writes where the converter left them out.
const NUMERIC_DIMVARS = (
  'DIMADEC DIMALT DIMALTD DIMALTF DIMALTRND DIMALTTD DIMALTTZ DIMALTU DIMALTZ DIMASZ ' +
  'DIMATFIT DIMAUNIT DIMAZIN DIMCEN DIMDEC DIMDLE DIMDLI DIMDSEP DIMEXE DIMEXO DIMFRAC ' +
  'DIMGAP DIMJUST DIMLFAC DIMLIM DIMLUNIT DIMRND DIMSAH DIMSCALE DIMSD1 DIMSD2 DIMSE1 ' +
  'DIMSE2 DIMSOXD DIMTAD DIMTDEC DIMTFAC DIMTIH DIMTIX DIMTM DIMTMOVE DIMTOFL DIMTOH ' +
  'DIMTOL DIMTOLJ DIMTP DIMTSZ DIMTVP DIMTXT DIMTZIN DIMUPT DIMZIN DIMFXL DIMFXLON ' +
  'DIMJOGANG DIMTFILL DIMARCSYM DIMLWD DIMLWE').split(' ');
const HEADER_COLOURS = ['DIMCLRD', 'DIMCLRE', 'DIMCLRT'];

const fail = (status, message) => {
  process.stderr.write(message + '\n');
  process.exit(status);
};

let input;
try {
  input = readFileSync(inputPath);
} catch (e) {
  fail(1, `cannot read ${inputPath}: ${e.message}`);
}
if (input.length < 6 || input.subarray(0, 2).toString('latin1') !== 'AC')
  fail(1, `${inputPath} is not a DWG drawing`);

const { default: createModule } = await import(join(wasmDir, 'libredwg-web.js'));
const lib = await createModule({
  locateFile: (name) => join(wasmDir, name),
  // The module's diagnostics must not mix with the facts on stdout.
  print: (line) => process.stderr.write(line + '\n'),
  printErr: (line) => process.stderr.write(line + '\n'),
});

// A fault inside the module (an index out of bounds, a trap) is thrown as
// a JavaScript error: said as a crash, without the module's stack.
process.on('uncaughtException', (e) => fail(4, `LibreDWG crashed while reading ${inputPath}: ${e.message}`));

lib.FS.writeFile('/in.dwg', input);
const status = lib.dwg_write_dxf('/in.dwg', '/out.dxf');
if (status >= CRITICAL_ERROR || !lib.FS.analyzePath('/out.dxf', false).exists)
  fail(2, `LibreDWG could not convert ${inputPath} (error 0x${status.toString(16)})`);
const dxf = lib.FS.readFile('/out.dxf');
lib.FS.unlink('/out.dxf');
writeFileSync(outputPath, dxf);

const facts = [`version ${input.subarray(0, 6).toString('latin1')}`];

// The DWG names some kinds apart that DXF writes under one name.
const dxfKind = (name) => {
  if (!/^[A-Za-z0-9_$*-]+$/.test(name) || name.startsWith('UNKNOWN_')) return 'unknown';
  if (name.endsWith('_CONTROL') || name.startsWith('VX_')) return null;  // no record of their own in DXF
  if (name === 'BLOCK_HEADER') return 'BLOCK_RECORD';
  if (name.startsWith('ACAD_PROXY_')) return 'proxy';
  for (const family of ['DIMENSION', 'POLYLINE', 'VERTEX'])
    if (name.startsWith(family + '_')) return family;
  return name;
};

const hex = (value) => (value >>> 0).toString(16).toUpperCase();
const inDwg = new Map();
const read = lib.dwg_read_file('/in.dwg');
if (read && read.data && (read.error ?? 0) < CRITICAL_ERROR) {
  const data = read.data;
  for (const name of HEADER_COLOURS) {
    const colour = lib.dwg_dynapi_header_value(data, name);
    if (colour.success && colour.data && typeof colour.data.rgb === 'number')
      facts.push(`header ${name} ${colour.data.index} ${hex(colour.data.rgb)}`);
  }
  const count = lib.dwg_get_num_objects(data);
  for (let i = 0; i < count; ++i) {
    const obj = lib.dwg_get_object(data, i);
    if (!obj) continue;
    const kind = dxfKind(lib.dwg_object_get_dxfname(obj) ?? '');
    if (kind) inDwg.set(kind, (inDwg.get(kind) ?? 0) + 1);
    if (kind === 'LAYER') {
      // The converter's DXF loses whether a layer is off.
      const off = lib.dwg_dynapi_entity_value(lib.dwg_object_to_object_tio(obj), 'off');
      if (off.success && off.data)
        facts.push(`layer-off ${lib.dwg_obj_get_handle_value(obj).toString(16).toUpperCase()}`);
    } else if (kind === 'DIMSTYLE') {
      const tio = lib.dwg_object_to_object_tio(obj);
      const handle = lib.dwg_obj_get_handle_value(obj).toString(16).toUpperCase();
      // The text fill colour, which the converter leaves out.
      const fill = lib.dwg_dynapi_entity_value(tio, 'DIMTFILLCLR');
      if (fill.success && fill.data && typeof fill.data.rgb === 'number')
        facts.push(`dimstyle-colour ${handle} DIMTFILLCLR ${fill.data.index} ${hex(fill.data.rgb)}`);
      for (const name of NUMERIC_DIMVARS) {
        const v = lib.dwg_dynapi_entity_value(tio, name);
        if (v.success && (typeof v.data === 'number' || typeof v.data === 'boolean') && Number.isFinite(Number(v.data)))
          facts.push(`dimstyle ${handle} ${name} ${Number(v.data)}`);
      }
    }
  }
}

// Kinds of record in the DXF: the values of group 0. Text values may hold
// line breaks (LibreDWG writes some strings as they are), so a line that is
// no group code is stepped over.
const inDxf = new Map();
const lines = Buffer.from(dxf).toString('latin1').split(/\r?\n/);
for (let i = 0; i + 1 < lines.length;) {
  const code = lines[i].trim();
  if (!/^-?\d+$/.test(code)) { ++i; continue; }
  if (code === '0') {
    const kind = lines[i + 1].trim();
    inDxf.set(kind, (inDxf.get(kind) ?? 0) + 1);
  }
  i += 2;
}
for (const [kind, count] of inDwg) {
  const missing = count - (inDxf.get(kind) ?? 0);
  if (missing > 0) facts.push(`not-converted ${kind} ${missing}`);
}
process.stdout.write(facts.join('\n') + '\n');
