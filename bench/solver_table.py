#!/usr/bin/env python3
"""The solver's table: medians of interleaved repetitions of bench_solver, the ratio against
Eigen and the share of the triad's bandwidth that our byte count reaches.

usage: bench/solver_table.py build/bench/bench_solver [REPETITIONS]
"""
import collections, json, statistics, subprocess, sys

b = sys.argv[1]
reps = sys.argv[2] if len(sys.argv) > 2 else '7'
f='(Triad|BuildPattern/.*|(Our|Eigen)(Iteration|Apply)/.*)'
out=subprocess.run([b,'--benchmark_filter='+f,'--benchmark_repetitions='+reps,'--benchmark_enable_random_interleaving=true','--benchmark_format=json'],capture_output=True,text=True).stdout
d=json.loads(out)
t=collections.defaultdict(list); bytes_={}
for r in d['benchmarks']:
    if r.get('run_type')!='iteration': continue
    n=r['run_name'].replace('/min_time:0.300','')
    t[n].append(r['cpu_time'])
    if 'bytes/iter' in r: bytes_[n]=r['bytes/iter']
med={k:statistics.median(v) for k,v in t.items()}
triad=24.0*(1<<23)/(med['Triad']*1e-3)/1e9
print(f"Triad median {med['Triad']:.2f} ms = {triad:.1f} GB/s")
for k in sorted(med):
    if k.startswith('BuildPattern'): print(f"{k:28s} {med[k]:9.3f} ms")
print(f"{'case':26s} {'ours ms':>9s} {'Eigen ms':>9s} {'Eigen/ours':>10s} {'our MB':>8s} {'GB/s':>6s} {'of triad':>8s}")
for k in sorted(med, key=lambda s:(s.split('/')[0],int(s.split('/')[1]) if s.count('/')>1 else 0,s)):
    if k.startswith('Our'):
        e=k.replace('Our','Eigen'); gbs=bytes_[k]/(med[k]*1e-3)/1e9
        print(f"{k:26s} {med[k]:9.3f} {med[e]:9.3f} {med[e]/med[k]:10.2f} {bytes_[k]/1e6:8.1f} {gbs:6.1f} {gbs/triad*100:7.0f}%")
