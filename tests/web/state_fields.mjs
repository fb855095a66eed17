// The "key=value" fields of the game's state line, for the page's tests and
// the web bench.
export function fields(line) {
  const out = {};
  for (const part of line.split(" ")) {
    const eq = part.indexOf("=");
    if (eq > 0) out[part.slice(0, eq)] = part.slice(eq + 1);
  }
  return out;
}
