// Reads an IFC file with web-ifc and prints what the tests check, as JSON:
// the project's units, the storeys with their spaces, each space's
// quantities and properties, the area its body stands on, and every GlobalId.
import * as WebIFC from "web-ifc";
import { readFileSync } from "node:fs";

const api = new WebIFC.IfcAPI();
await api.Init();
api.SetLogLevel(WebIFC.LogLevel.LOG_LEVEL_OFF);
const model = api.OpenModel(new Uint8Array(readFileSync(process.argv[2])));

const lines = (type) => [...idsOf(type)].map((id) => api.GetLine(model, id));
function idsOf(type, inherited = false) {
  const vector = api.GetLineIDsWithType(model, type, inherited);
  const ids = [];
  for (let i = 0; i < vector.size(); ++i) ids.push(vector.get(i));
  return ids;
}
const value = (attribute) => (attribute === null || attribute === undefined ? null : attribute.value);

const parentOf = new Map();
for (const rel of lines(WebIFC.IFCRELAGGREGATES))
  for (const part of rel.RelatedObjects) parentOf.set(part.value, rel.RelatingObject.value);

const setsOf = new Map();
for (const rel of lines(WebIFC.IFCRELDEFINESBYPROPERTIES))
  for (const object of rel.RelatedObjects) {
    if (!setsOf.has(object.value)) setsOf.set(object.value, []);
    setsOf.get(object.value).push(rel.RelatingPropertyDefinition.value);
  }

function unitName(id) {
  if (id === null) return null;
  const unit = api.GetLine(model, id);
  return unit.Prefix ? unit.Prefix.value + unit.Name.value : unit.Name.value;
}

// Property and quantity sets by name: {name: {item: value}}, a quantity's
// value with the unit it names.
function setsFor(id) {
  const result = {};
  for (const setId of setsOf.get(id) ?? []) {
    const set = api.GetLine(model, setId);
    const items = {};
    for (const ref of set.Quantities ?? set.HasProperties ?? []) {
      const item = api.GetLine(model, ref.value);
      const measured = item.AreaValue ?? item.LengthValue ?? item.VolumeValue;
      items[item.Name.value] = measured !== undefined
          ? { value: measured.value, unit: unitName(value(item.Unit)) }
          : value(item.NominalValue);
    }
    result[set.Name.value] = items;
  }
  return result;
}

// Area of the triangles facing down, in square metres, and the colours' alpha.
function footprintOf(id) {
  let area = 0;
  const alphas = [];
  api.StreamMeshes(model, [id], (mesh) => {
    for (let g = 0; g < mesh.geometries.size(); ++g) {
      const placed = mesh.geometries.get(g);
      alphas.push(placed.color.w);
      const geometry = api.GetGeometry(model, placed.geometryExpressID);
      const v = api.GetVertexArray(geometry.GetVertexData(), geometry.GetVertexDataSize());
      const index = api.GetIndexArray(geometry.GetIndexData(), geometry.GetIndexDataSize());
      const m = placed.flatTransformation;
      const at = (i) => {
        const x = v[i * 6], y = v[i * 6 + 1], z = v[i * 6 + 2];
        return [m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
                m[2] * x + m[6] * y + m[10] * z + m[14]];
      };
      for (let t = 0; t < index.length; t += 3) {
        const a = at(index[t]), b = at(index[t + 1]), c = at(index[t + 2]);
        const nx = (b[1] - a[1]) * (c[2] - a[2]) - (b[2] - a[2]) * (c[1] - a[1]);
        const ny = (b[2] - a[2]) * (c[0] - a[0]) - (b[0] - a[0]) * (c[2] - a[2]);
        const nz = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
        const twice = Math.hypot(nx, ny, nz);
        // web-ifc turns models Y-up: the floor faces -Y.
        if (twice > 0 && ny / twice < -0.99) area += twice / 2;
      }
      geometry.delete();
    }
  });
  return { area, alphas };
}

const storeys = lines(WebIFC.IFCBUILDINGSTOREY).map((storey) => ({
  id: storey.expressID,
  name: value(storey.Name),
  globalId: storey.GlobalId.value,
  building: parentOf.get(storey.expressID),
  sets: setsFor(storey.expressID),
}));
const storeyName = new Map(storeys.map((storey) => [storey.id, storey.name]));

const spaces = lines(WebIFC.IFCSPACE).map((space) => ({
  name: value(space.Name),
  longName: value(space.LongName),
  objectType: value(space.ObjectType),
  globalId: space.GlobalId.value,
  storey: storeyName.get(parentOf.get(space.expressID)) ?? null,
  sets: setsFor(space.expressID),
  footprint: footprintOf(space.expressID),
}));

const globalIds = idsOf(WebIFC.IFCROOT, true).map((id) => api.GetLine(model, id).GlobalId.value);
const project = lines(WebIFC.IFCPROJECT)[0];
const units = api.GetLine(model, project.UnitsInContext.value).Units.map((ref) => unitName(ref.value));
const named = (type) => lines(type).map((line) => value(line.Name));

console.log(JSON.stringify({
  schema: api.GetModelSchema(model),
  project: value(project.Name),
  sites: named(WebIFC.IFCSITE),
  buildings: named(WebIFC.IFCBUILDING),
  units,
  storeys,
  spaces,
  globalIds,
}));
api.CloseModel(model);
