# Installs and uninstalls a per-user setup silently on this Windows machine and checks what each
# leaves: the files, the Start menu shortcuts, the "Apps" entry and the start at log-on; an update
# over a running TalsekTray that ends it, one stopped with exit code 2 by a file held open, and an
# uninstall that keeps the settings. For the Windows CI workflow (.github/workflows/windows.yml); it
# changes the current user's installation, so run it on a machine of no one's.
# Usage: scripts/windows-setup-check.ps1 -Setup TalsekTray-<version>-<win64|win32>-setup.exe -Version <version>
param([Parameter(Mandatory)][string]$Setup, [Parameter(Mandatory)][string]$Version)
$ErrorActionPreference = 'Stop'

$dir = Join-Path $env:LOCALAPPDATA 'Programs\TalsekTray'
$apps = 'HKCU:\Software\Microsoft\Windows\CurrentVersion\Uninstall\TalsekTray'
$run = 'HKCU:\Software\Microsoft\Windows\CurrentVersion\Run'
$menu = Join-Path ([Environment]::GetFolderPath('Programs')) 'TalsekTray'
$files = 'TalsekTray.exe', 'talsek.exe', 'LIESMICH.txt', 'uninstall.exe'
$failures = [System.Collections.Generic.List[string]]::new()
function Check([bool]$ok, [string]$what) { if (-not $ok) { $failures.Add($what); Write-Host "FAILED: $what" } }
function Start-Silently([string]$exe) { (Start-Process -FilePath $exe -ArgumentList '/S' -Wait -PassThru).ExitCode }
function Installed {
  foreach ($f in $files) { Check (Test-Path (Join-Path $dir $f)) "$f installed" }
  foreach ($l in 'TalsekTray.lnk', 'Talsek-Optionen.lnk') { Check (Test-Path (Join-Path $menu $l)) "Start menu: $l" }
  $entry = Get-ItemProperty $apps -ErrorAction SilentlyContinue
  Check ($entry.DisplayName -eq 'TalsekTray' -and $entry.Publisher -eq 'Holvarin' -and $entry.DisplayVersion -eq $Version) `
        "Apps entry TalsekTray, Holvarin, $Version (found: $($entry.DisplayName), $($entry.Publisher), $($entry.DisplayVersion))"
  Check ((Get-ItemProperty $run -ErrorAction SilentlyContinue).TalsekTray -eq "`"$dir\TalsekTray.exe`"") 'start at log-on'
}

Check ((Start-Silently $Setup) -eq 0) 'first install: exit code 0'
Installed

# An update while TalsekTray runs ends it first and replaces the files.
$program = Start-Process -FilePath (Join-Path $dir 'TalsekTray.exe') -PassThru
Start-Sleep -Seconds 3
Check (-not $program.HasExited) 'TalsekTray runs before the update'
Check ((Start-Silently $Setup) -eq 0) 'update over a running TalsekTray: exit code 0'
Check ($program.WaitForExit(1000)) 'the update ended the running TalsekTray'
Installed

# A file that another program holds open stops the update with exit code 2 and changes nothing: the
# program, made to differ from the setup's, stays as it was.
$exe = Join-Path $dir 'TalsekTray.exe'
$older = [System.IO.File]::Open($exe, 'Append'); $older.WriteByte(0); $older.Dispose()
$before = (Get-FileHash $exe).Hash
$held = [System.IO.File]::Open((Join-Path $dir 'LIESMICH.txt'), 'Open', 'Read', 'Read')
Check ((Start-Silently $Setup) -eq 2) 'update over a file held open: exit code 2'
$held.Dispose()
Check (((Get-ChildItem $dir -Name | Sort-Object) -join ',') -eq (($files | Sort-Object) -join ',')) `
      "after the stopped update only the installed files (found: $((Get-ChildItem $dir -Name) -join ', '))"
Check ((Get-FileHash $exe).Hash -eq $before) 'the stopped update left TalsekTray.exe as it was'
Check ((Start-Silently $Setup) -eq 0) 'update once the file is free: exit code 0'
Check ((Get-FileHash $exe).Hash -ne $before) 'the update replaced TalsekTray.exe'
Installed

# The uninstaller copies itself aside and runs from there; its entry goes last.
$settings = 'HKCU:\Software\Holvarin\Talsek'
$hadSettings = Test-Path $settings
if (-not $hadSettings) { New-Item $settings -Force | Out-Null }
Set-ItemProperty $settings -Name WindowsSetupCheck -Value 1 -Type DWord
Check ((Start-Silently (Join-Path $dir 'uninstall.exe')) -eq 0) 'uninstall: exit code 0'
for ($i = 0; $i -lt 60 -and (Test-Path $apps); $i++) { Start-Sleep -Seconds 1 }
Check (-not (Test-Path $dir)) 'uninstall removed the folder'
Check (-not (Test-Path $menu)) 'uninstall removed the Start menu folder'
Check (-not (Test-Path $apps)) 'uninstall removed the Apps entry'
Check ($null -eq (Get-ItemProperty $run -ErrorAction SilentlyContinue).TalsekTray) 'uninstall removed the start at log-on'
Check ((Get-ItemProperty $settings -ErrorAction SilentlyContinue).WindowsSetupCheck -eq 1) 'uninstall kept the settings'
if ($hadSettings) { Remove-ItemProperty $settings -Name WindowsSetupCheck } else { Remove-Item $settings -Recurse }

if ($failures.Count) { Write-Host "$($failures.Count) check(s) failed"; exit 1 }
Write-Host "setup check: $Setup installed, updated, refused over a file held open and uninstalled as it should"
